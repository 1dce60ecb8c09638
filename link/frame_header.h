#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vardex {

// Every frame in both directions opens with these 8 bytes:
// FF, code, page (big-endian), data sum (big-endian), reserved, check.
inline constexpr std::size_t kFrameHeaderSize = 8;
inline constexpr std::size_t kPageSize = 128;
inline constexpr std::uint8_t kFrameMarker = 0xFF;

enum class FrameCode : std::uint8_t {
  kFirmwarePage = 0x40,
  kFirmwarePageAck = 0x41,
  kEepromPage = 0x80,
  kEepromPageAck = 0x81,
  kEepromReadRequest = 0x90,
  kEepromPageData = 0x91,
};

using FrameHeader = std::array<std::uint8_t, kFrameHeaderSize>;

// 8-bit sum of header bytes 1 to 6 (the marker is not covered).
std::uint8_t HeaderCheck(std::span<const std::uint8_t, kFrameHeaderSize> header);
// 16-bit sum of one page's bytes.
std::uint16_t PageDataSum(std::span<const std::uint8_t, kPageSize> page);
FrameHeader BuildFrameHeader(FrameCode code, std::uint16_t page, std::uint16_t dataSum);

}  // namespace vardex
