#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

#include "frame_header.h"

namespace vardex {

// The firmware file as it is sent: raw bytes in 128-byte pages.
struct FirmwareBuffer {
  static constexpr std::size_t kCapacity = 237568;  // 1856 pages

  std::array<std::uint8_t, kCapacity> bytes{};
  std::uint32_t size = 0;  // bytes of the file last loaded

  std::uint32_t PageCount() const;
  // The last page sent; an empty file still sends page 0.
  std::uint32_t LastPageIndex() const;
};

// A loaded firmware file: read once, never changed again, and handed on by
// reference from the window or `vardex` through the mailbox to the engine.
using SharedFirmware = std::shared_ptr<const FirmwareBuffer>;

// Size / 128, rounded up.
std::uint32_t FirmwarePageCount(std::uint64_t size);

// Where the bytes come from; the file reader below, or a stand-in in tests.
class FirmwareSource {
 public:
  // Total size, or a negative value when it cannot be found.
  virtual std::int64_t Size() = 0;
  // Reads up to `count` bytes from the start; returns how many arrived.
  virtual std::size_t ReadAll(std::uint8_t* into, std::size_t count) = 0;

 protected:
  ~FirmwareSource() = default;
};

enum class FirmwareLoadStatus { kLoaded, kCannotOpen, kTooLong, kShortRead };

inline constexpr std::string_view kFirmwareBoxCaption = "File open error";
// An empty file is refused before anything is sent: its one page would be
// whatever the buffer held.
inline constexpr std::string_view kEmptyFirmwareMessage = "Firmware file is empty.";
// The titled box's text for a failed load; empty for kLoaded.
std::string_view FirmwareLoadMessage(FirmwareLoadStatus status);

// Reads the whole source into the buffer. A source that is too long or does
// not deliver all its bytes is refused; on success every byte of the last page
// beyond the end of the file is 0, whatever an earlier file left there.
FirmwareLoadStatus LoadFirmware(FirmwareSource& source, FirmwareBuffer& buffer);
// The same for a file on disk (path in UTF-8 on Windows, the system's bytes
// elsewhere); a folder, FIFO or device cannot be opened.
FirmwareLoadStatus LoadFirmwareFile(const char* path, FirmwareBuffer& buffer);

// A file read once into a buffer of its own; `firmware` is set when loaded.
struct FirmwareLoad {
  FirmwareLoadStatus status = FirmwareLoadStatus::kCannotOpen;
  SharedFirmware firmware;
};
FirmwareLoad LoadFirmwareFile(const char* path);

}  // namespace vardex
