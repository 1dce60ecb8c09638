#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vardex {

// What the device's replies amount to, worked out independently of the link
// code: a 2048-byte ring that keeps at most 2047 unread bytes and a parser
// that hunts for headers and collects the 128 bytes behind a data header.
// The fuzz target runs it beside the link and compares the two.
class ReplyModel {
 public:
  enum class Event : std::uint8_t {
    kFirmwareAck,
    kEepromAck,
    kPageData,  // 128 bytes whose sum matched; page() tells which
    kFrameCheckError,
    kDataSumError,
  };

  class Sink {
   public:
    virtual void OnReply(Event event, std::uint16_t page) = 0;

   protected:
    ~Sink() = default;
  };

  // Stores what fits, then parses everything complete. Returns the count
  // of bytes stored.
  std::size_t Receive(std::span<const std::uint8_t> bytes, Sink& sink);
  // Empties the ring; a parser that was collecting goes on collecting.
  void ResetRing() { read_ = write_ = 0; }

  std::size_t Unread() const { return (write_ - read_) & kMask; }
  // Pages 0 to 15 as the accepted data replies left them.
  const std::array<std::uint8_t, 2048>& Image() const { return image_; }

 private:
  static constexpr std::size_t kMask = 2047;

  std::uint8_t At(std::size_t offset) const { return ring_[(read_ + offset) & kMask]; }
  void Parse(Sink& sink);

  std::array<std::uint8_t, 2048> ring_{};
  std::size_t read_ = 0;
  std::size_t write_ = 0;
  bool collecting_ = false;
  std::uint16_t page_ = 0;
  std::uint16_t sum_ = 0;
  std::array<std::uint8_t, 2048> image_{};
};

}  // namespace vardex
