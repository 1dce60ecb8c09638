#pragma once

#include <cstdint>

namespace vardex {

// A list's selection is stored as the low byte of its index, so "nothing
// selected" (-1) becomes 0xFF.
inline std::uint8_t ListIndexByte(int index) {
  return static_cast<std::uint8_t>(index);
}

// A stored index beyond the list's items leaves the list without a selection.
inline int ListIndexFromByte(std::uint8_t value, int itemCount) {
  return value < itemCount ? value : -1;
}

}  // namespace vardex
