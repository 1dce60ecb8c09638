#pragma once

#include <cstdint>
#include <span>

namespace vardex {

// The world's land as closed rings (Natural Earth 1:110m, simplified; made
// by scripts/make-land-outlines.py): each ring is its point count followed
// by that many longitude, latitude pairs in tenths of a degree, east and
// north positive.
std::span<const std::int16_t> LandOutlines();

}  // namespace vardex
