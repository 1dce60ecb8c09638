#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// What a port carried, for a problem report: every byte written and read,
// with its direction and the time since the trace began, plus the port's
// opening, closing and read failures. The records sit in one fixed ring of
// bytes; when it is full the oldest records give way and are counted, so a
// trace never grows past its size however long the program runs. The port's
// thread records while another thread may take the text; a mutex orders them.
class FrameTrace {
 public:
  using Milliseconds = std::function<std::uint32_t()>;
  enum class Kind : std::uint8_t { kSent, kReceived, kNote };

  // `capacity` bytes of ring (records plus 7 bytes each); `now` gives the
  // time in ms since the trace began (a steady clock from construction
  // unless a test gives its own).
  explicit FrameTrace(std::size_t capacity, Milliseconds now = {});

  void Record(Kind kind, std::span<const std::uint8_t> bytes);
  void Note(std::string_view text);

  // Which bytes of one direction's bytes, in order, are not to be shown;
  // `startCut` when older records were dropped, so the first bytes kept may
  // be the middle of a frame. Empty to show every byte.
  using Hidden =
      std::function<std::vector<bool>(std::span<const std::uint8_t> bytes, bool startCut)>;

  // The trace as text: a heading, a line with what was dropped, then one
  // line per record, oldest first: "      12 tx FF 90 00 00 00 00 00 90",
  // "     15 rx ...", "      0 -- opened /dev/ttyUSB0". A hidden byte is
  // shown as "**".
  std::string Text(const Hidden& hidden = {}) const;

  struct Usage {
    std::size_t keptBytes = 0;     // bytes of records kept (port bytes and notes)
    std::size_t droppedBytes = 0;  // of records given way
    std::size_t droppedRecords = 0;
  };
  Usage CurrentUsage() const;

  // The longest record: a longer write or read is kept in pieces of this size.
  static constexpr std::size_t kLongestRecord = 128;
  static constexpr std::size_t kRecordHead = 7;  // kind, 4 bytes of time, 2 of length

 private:
  void Append(Kind kind, std::uint32_t time, std::span<const std::uint8_t> bytes);
  void DropOldest();
  std::uint8_t At(std::size_t offset) const { return ring_[offset % ring_.size()]; }
  struct RecordView {
    Kind kind;
    std::uint32_t time;
    std::size_t length;
    std::size_t data;  // offset of its first byte
  };
  RecordView ViewAt(std::size_t offset) const;

  Milliseconds now_;
  mutable std::mutex mutex_;
  std::vector<std::uint8_t> ring_;  // allocated once
  std::size_t start_ = 0;           // offset of the oldest record
  std::size_t used_ = 0;
  Usage usage_;
};

}  // namespace vardex
