#include "config_image.h"

#include <algorithm>

namespace vardex {

void ConfigImage::PutU16(std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t ConfigImage::GetU16(std::size_t offset) const {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

void ConfigImage::PutU32(std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
  }
}

std::uint32_t ConfigImage::GetU32(std::size_t offset) const {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  }
  return value;
}

void ConfigImage::PutText(std::size_t offset, std::size_t width, std::string_view latin1) {
  if (width == 0)
    return;
  const std::size_t length = std::min(latin1.size(), width - 1);
  std::copy_n(latin1.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  bytes[offset + length] = 0;
}

std::string ConfigImage::GetText(std::size_t offset, std::size_t width) const {
  std::string text;
  for (std::size_t i = 0; i + 1 < width && bytes[offset + i] != 0; ++i) {
    text.push_back(static_cast<char>(bytes[offset + i]));
  }
  return text;
}

void ConfigImage::PutBytes(std::size_t offset, std::string_view raw) {
  std::copy(raw.begin(), raw.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::uint32_t ComputeImageChecksum(const ConfigImage& image) {
  std::uint32_t sum = 0;
  for (std::size_t i = ConfigImage::kChecksumFirst; i < ConfigImage::kChecksumEnd; ++i) {
    sum += image.bytes[i];
  }
  return sum;
}

void StoreImageChecksum(ConfigImage& image) {
  image.PutU32(0, ComputeImageChecksum(image));
}

bool ImageChecksumHolds(const ConfigImage& image) {
  return image.GetU32(0) == ComputeImageChecksum(image);
}

}  // namespace vardex
