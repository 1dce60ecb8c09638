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
  std::size_t Available() const { return (writeIndex_ - readIndex_) & kMask; }
  bool Empty() const { return readIndex_ == writeIndex_; }
  // The byte `offset` places after the read index (offset < Available()).
  std::uint8_t Peek(std::size_t offset) const { return data_[(readIndex_ + offset) & kMask]; }
  std::uint8_t Take() {
    const std::uint8_t byte = data_[readIndex_];
    Skip(1);
    return byte;
  }
  void Skip(std::size_t count) {
    readIndex_ = static_cast<std::uint16_t>((readIndex_ + count) & kMask);
  }
  // Discards everything unread: both indexes back to 0.
  void Reset() { readIndex_ = writeIndex_ = 0; }

  std::uint16_t ReadIndex() const { return readIndex_; }
  std::uint16_t WriteIndex() const { return writeIndex_; }
  // Places both indexes, so tests can start a frame anywhere in the ring.
  void SetIndexesForTest(std::uint16_t readIndex, std::uint16_t writeIndex) {
    readIndex_ = readIndex & kMask;
    writeIndex_ = writeIndex & kMask;
  }

 private:
  std::array<std::uint8_t, kSize> data_{};
  std::uint16_t writeIndex_ = 0;
  std::uint16_t readIndex_ = 0;
};

}  // namespace vardex
