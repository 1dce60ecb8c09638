#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config_image.h"

namespace vardex::testing {

// The bytes of an image span, for comparing with a literal list.
inline std::vector<std::uint8_t> BytesAt(const ConfigImage& image, std::size_t offset,
                                         std::size_t count) {
  return {image.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
          image.bytes.begin() + static_cast<std::ptrdiff_t>(offset + count)};
}

// A text field as the device sees it: the characters, then zeros to `width`.
inline std::vector<std::uint8_t> TextField(const std::string& text, std::size_t width) {
  std::vector<std::uint8_t> field(text.begin(), text.end());
  field.resize(width, 0);
  return field;
}

}  // namespace vardex::testing
