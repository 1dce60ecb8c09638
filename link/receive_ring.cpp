#include "receive_ring.h"

namespace vardex {

std::size_t ReceiveRing::Store(std::span<const std::uint8_t> bytes) {
  std::size_t stored = 0;
  for (const std::uint8_t byte : bytes) {
    const auto next = static_cast<std::uint16_t>((writeIndex_ + 1) & kMask);
    if (next == readIndex_)
      continue;  // full: this byte is dropped, later ones too
    data_[writeIndex_] = byte;
    writeIndex_ = next;
    ++stored;
  }
  return stored;
}

}  // namespace vardex
