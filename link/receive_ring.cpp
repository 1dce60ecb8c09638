#include "receive_ring.h"

namespace vardex {

std::size_t ReceiveRing::Store(std::span<const std::uint8_t> bytes) {
  std::size_t stored = 0;
  for (const std::uint8_t byte : bytes) {
    const auto next = static_cast<std::uint16_t>((write_index_ + 1) & kMask);
    if (next == read_index_)
      continue;  // full: this byte is dropped, later ones too
    data_[write_index_] = byte;
    write_index_ = next;
    ++stored;
  }
  return stored;
}

}  // namespace vardex
