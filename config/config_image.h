#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vardex {

// The 2048-byte mirror of the device's configuration memory. Integers inside
// it are little-endian; texts are one byte per character (Latin-1).
struct ConfigImage {
  static constexpr std::size_t kSize = 2048;
  static constexpr std::size_t kPageSize = 128;
  static constexpr std::size_t kPageCount = kSize / kPageSize;
  // The checksum covers bytes 4 to 1551; everything after is outside it.
  static constexpr std::size_t kChecksumFirst = 4;
  static constexpr std::size_t kChecksumEnd = 1552;

  std::array<std::uint8_t, kSize> bytes{};

  void Clear() { bytes.fill(0); }

  void PutU8(std::size_t offset, std::uint8_t value) { bytes[offset] = value; }
  std::uint8_t GetU8(std::size_t offset) const { return bytes[offset]; }
  void PutU16(std::size_t offset, std::uint16_t value);
  std::uint16_t GetU16(std::size_t offset) const;
  void PutU32(std::size_t offset, std::uint32_t value);
  std::uint32_t GetU32(std::size_t offset) const;

  // Writes at most width - 1 bytes of `latin1` and a zero byte after them, so a
  // text never runs into the next field.
  void PutText(std::size_t offset, std::size_t width, std::string_view latin1);
  // Reads up to the first zero byte, but never more than width - 1 bytes, so
  // the text fits the same field again with its zero byte.
  std::string GetText(std::size_t offset, std::size_t width) const;
  // Copies raw bytes without any terminator (fixed-form fields).
  void PutBytes(std::size_t offset, std::string_view raw);
};

// Sum of bytes 4 to 1551, modulo 2^32.
std::uint32_t ComputeImageChecksum(const ConfigImage& image);
// Stores the checksum in bytes 0 to 3.
void StoreImageChecksum(ConfigImage& image);
// True when bytes 0 to 3 hold the checksum of bytes 4 to 1551.
bool ImageChecksumHolds(const ConfigImage& image);

}  // namespace vardex
