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

// The device's configuration memory and the firmware it has received. Both
// are fixed buffers for the life of the program.
class DeviceMemory {
 public:
  DeviceMemory();

  // Takes the image from `path` when it holds exactly 2048 bytes; returns
  // false (and keeps the built-in image) otherwise.
  bool LoadImage(const std::string& path);

  std::span<const std::uint8_t> ImagePage(std::size_t page) const;
  void StoreImagePage(std::size_t page, std::span<const std::uint8_t> data);
  void StoreFirmwarePage(std::size_t page, std::span<const std::uint8_t> data);

  // Files are replaced whole (written aside, then renamed), so a reader never
  // sees half of one.
  bool SaveImage(const std::string& path) const;
  bool SaveFirmware(const std::string& path) const;

 private:
  std::array<std::uint8_t, kImageSize> image_{};
  std::array<std::uint8_t, kFirmwarePages * kPageSize> firmware_{};
  std::size_t firmwarePages_ = 0;  // highest page received + 1
};

// Sum of image bytes 4 to 1551, kept little-endian in bytes 0 to 3.
std::uint32_t ImageChecksum(std::span<const std::uint8_t> image);

}  // namespace vardex::sim
