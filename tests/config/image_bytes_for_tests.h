#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config_image.h"

namespace vardex::testing {

// `count` bytes of the image from `offset`, for comparison with a literal list.
inline std::vector<std::uint8_t> Bytes(const ConfigImage& image, std::size_t offset,
                                       std::size_t count) {
  return {image.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
          image.bytes.begin() + static_cast<std::ptrdiff_t>(offset + count)};
}

// The same bytes as characters (a zero byte stays a zero character).
inline std::string Chars(const ConfigImage& image, std::size_t offset, std::size_t count) {
  return {image.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
          image.bytes.begin() + static_cast<std::ptrdiff_t>(offset + count)};
}

// A text field as the device sees it: the characters, then zeros to `width`.
inline std::vector<std::uint8_t> TextField(const std::string& text, std::size_t width) {
  std::vector<std::uint8_t> field(text.begin(), text.end());
  field.resize(width, 0);
  return field;
}

// Offsets in [from, to] whose byte is not zero.
inline std::vector<std::size_t> NonZeroOffsets(const ConfigImage& image, std::size_t from,
                                               std::size_t to) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = from; i <= to; ++i) {
    if (image.bytes[i] != 0)
      offsets.push_back(i);
  }
  return offsets;
}

}  // namespace vardex::testing
