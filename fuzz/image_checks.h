#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config_image.h"
#include "image_fields.h"

namespace vardex {

// Invariants of an image that BuildConfigImage produced, whole or cut short
// by a failed field. Each returns the first violation in words, or nothing.

// Every byte outside the fields of the settings tables is 0.
std::optional<std::string> FindByteOutsideFields(const ConfigImage& image);
// Every text field (of `only`, when given) holds a zero byte.
std::optional<std::string> FindUnterminatedText(const ConfigImage& image,
                                                std::optional<ImageSection> only = std::nullopt);
// Bytes 0 to 3 hold the little-endian sum of bytes 4 to 1551.
std::optional<std::string> FindChecksumMismatch(const ConfigImage& image);
// After one section's encode step ran over an image filled with `fill`:
// every byte outside that section's fields still holds `fill`.
std::optional<std::string> FindWriteOutsideSection(const ConfigImage& image, ImageSection section,
                                                   std::uint8_t fill);

}  // namespace vardex
