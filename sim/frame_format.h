#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The frame layout as the device sees it: an 8-byte header
// [FF, code, page hi, page lo, sum hi, sum lo, reserved, check], optionally
// followed by one 128-byte page. Kept separate from the tool's own frame code
// on purpose, so each side checks the other.
namespace vardex::sim {

inline constexpr std::uint8_t kMarker = 0xFF;
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kPageSize = 128;
inline constexpr std::size_t kFrameWithPageSize = kHeaderSize + kPageSize;

enum Code : std::uint8_t {
  kFirmwarePage = 0x40,
  kFirmwarePageAck = 0x41,
  kEepromPage = 0x80,
  kEepromPageAck = 0x81,
  kEepromReadRequest = 0x90,
  kEepromPageData = 0x91,
};

using Header = std::array<std::uint8_t, kHeaderSize>;

// 8-bit sum of header bytes 1 to 6; the marker is not part of it.
inline std::uint8_t HeaderCheck(std::span<const std::uint8_t> header) {
  std::uint8_t check = 0;
  for (std::size_t i = 1; i <= 6; ++i) check = static_cast<std::uint8_t>(check + header[i]);
  return check;
}

// Low 16 bits of the sum of the page bytes.
inline std::uint16_t PageSum(std::span<const std::uint8_t> page) {
  std::uint32_t sum = 0;
  for (std::uint8_t b : page) sum += b;
  return static_cast<std::uint16_t>(sum);
}

inline Header MakeHeader(std::uint8_t code, std::uint16_t page, std::uint16_t sum) {
  Header h{kMarker,
           code,
           static_cast<std::uint8_t>(page >> 8),
           static_cast<std::uint8_t>(page & 0xFF),
           static_cast<std::uint8_t>(sum >> 8),
           static_cast<std::uint8_t>(sum & 0xFF),
           0,
           0};
  h[7] = HeaderCheck(h);
  return h;
}

}  // namespace vardex::sim
