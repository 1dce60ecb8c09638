#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vardex {

// Circular buffer between the port reads and the frame parser. One slot is
// always left free so that equal indexes mean "empty": at most 2047 unread bytes.
// Used by the worker thread alone.
class ReceiveRing {
 public:
  static constexpr std::size_t kSize = 2048;
  static constexpr std::uint16_t kMask = 0x7FF;

  // Stores as many bytes as fit, in order; the rest are dropped silently.
  // Returns the count stored.
  std::size_t Store(std::span<const std::uint8_t> bytes);
  // Unread bytes between the read and the write index.
  std::size_t Available() const { return (write_index_ - read_index_) & kMask; }
  bool Empty() const { return read_index_ == write_index_; }
  // The byte `offset` places after the read index (offset < Available()).
  std::uint8_t Peek(std::size_t offset) const { return data_[(read_index_ + offset) & kMask]; }
  std::uint8_t Take() {
    const std::uint8_t byte = data_[read_index_];
    Skip(1);
    return byte;
  }
  void Skip(std::size_t count) {
    read_index_ = static_cast<std::uint16_t>((read_index_ + count) & kMask);
  }
  // Discards everything unread: both indexes back to 0.
  void Reset() { read_index_ = write_index_ = 0; }

  std::uint16_t read_index() const { return read_index_; }
  std::uint16_t write_index() const { return write_index_; }
  // Places both indexes, so tests can start a frame anywhere in the ring.
  void SetIndexesForTest(std::uint16_t read_index, std::uint16_t write_index) {
    read_index_ = read_index & kMask;
    write_index_ = write_index & kMask;
  }

 private:
  std::array<std::uint8_t, kSize> data_{};
  std::uint16_t write_index_ = 0;
  std::uint16_t read_index_ = 0;
};

}  // namespace vardex
