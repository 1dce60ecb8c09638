#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vardex {

// The settings sections in the order the image is built.
enum class ImageSection : std::uint8_t {
  kRadio,
  kDigipeater,
  kBeacons,
  kNetwork,
  kAprsIs,
  kWeather,
  kClock,
  kAccess,
  kTelemetry,
  kTelemetryData,
  kTelemetryParameters,
};
inline constexpr std::size_t kImageSectionCount = 11;

enum class FieldKind : std::uint8_t {
  kValue,  // numbers, list indexes, switches: any byte may be written
  kText,   // zero-terminated inside the field
};

// One field of the image as the settings tables define it, written out here
// independently of the encoders so that the two can be checked against each
// other.
struct ImageField {
  std::uint16_t offset;
  std::uint16_t width;
  FieldKind kind;
  ImageSection section;
};

inline constexpr std::size_t kImageBytes = 2048;
inline constexpr std::uint8_t kNoSection = 0xFF;

std::span<const ImageField> ImageFields();

// For each image byte, the section whose field holds it (its ImageSection
// value), or kNoSection for bytes that no field covers.
const std::array<std::uint8_t, kImageBytes>& ImageByteOwners();

}  // namespace vardex
