#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "frame_format.h"

namespace vardex::sim {

inline constexpr std::size_t kImageSize = 2048;
inline constexpr std::size_t kImagePages = kImageSize / kPageSize;
inline constexpr std::size_t kFirmwarePages = 1856;  // the largest firmware file the tool sends

enum class Region { kImage, kFirmware };

// The device's configuration memory and the firmware it has received. Both
// are fixed buffers for the life of the program.
class DeviceMemory {
 public:
  DeviceMemory();

  // Takes the image from `path` when it holds exactly 2048 bytes; otherwise
  // keeps the built-in image and returns why not ("cannot open (...)",
  // "holds 100 bytes, not 2048"). Empty on success.
  std::string LoadImage(const std::string& path);

  std::span<const std::uint8_t> ImagePage(std::size_t page) const;

  // Stores a page of the image or of the firmware; false (nothing stored)
  // when the page lies outside the region.
  bool StorePage(Region region, std::size_t page, std::span<const std::uint8_t> data);
  // Writes the image whole, or the firmware pages 0 to the highest received.
  // Files are replaced whole (written aside, then renamed), so a reader never
  // sees half of one.
  bool Save(Region region, const std::string& path) const;

 private:
  std::array<std::uint8_t, kImageSize> image_{};
  std::array<std::uint8_t, kFirmwarePages * kPageSize> firmware_{};
  std::size_t firmwarePages_ = 0;  // highest page received + 1
};

// Sum of image bytes 4 to 1551, kept little-endian in bytes 0 to 3.
std::uint32_t ImageChecksum(std::span<const std::uint8_t> image);

}  // namespace vardex::sim
