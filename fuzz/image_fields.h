#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "field_table.h"

namespace vardex {

inline constexpr std::size_t kImageBytes = ConfigImage::kSize;
inline constexpr std::uint8_t kNoSection = 0xFF;

// For each image byte, the section whose field holds it (its ImageSection
// value), or kNoSection for bytes that no field covers. Read from the
// image's field table.
const std::array<std::uint8_t, kImageBytes>& ImageByteOwners();

}  // namespace vardex
