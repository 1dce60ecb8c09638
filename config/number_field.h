#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

// Which value a number box's range check looks at.
enum class RangeOf {
  // The bits stored in the image, taken as unsigned: a negative entry in a
  // 32-bit field is a large value that fails the upper bound, and a byte
  // field checks only the low 8 bits of what was typed.
  kStoredBits,
  // The typed value as a signed integer, before it is cut to the field.
  kTypedValue,
};

// A number box's place in the image: `width` bytes (1, 2 or 4),
// little-endian, holding the low bits of the converted value.
struct NumberField {
  std::size_t offset = 0;
  std::size_t width = 4;
  std::int64_t low = 0;
  std::int64_t high = 0;
  RangeOf range = RangeOf::kStoredBits;
};

// Converts the box's text, stores it, then checks it against [low, high]. A
// text that does not convert gives the conversion error (nothing stored), a
// value out of range gives `message`.
StepResult StoreNumberField(const std::string& text, const NumberField& field,
                            std::string_view message, ConfigImage& image);

}  // namespace vardex
