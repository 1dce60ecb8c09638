#include "frame_header.h"

namespace vardex {

std::uint8_t HeaderCheck(std::span<const std::uint8_t, kFrameHeaderSize> header) {
  std::uint8_t check = 0;
  for (std::size_t i = 1; i <= 6; ++i) check = static_cast<std::uint8_t>(check + header[i]);
  return check;
}

std::uint16_t PageDataSum(std::span<const std::uint8_t, kPageSize> page) {
  std::uint32_t sum = 0;
  for (const std::uint8_t byte : page) sum += byte;
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

FrameHeader BuildFrameHeader(FrameCode code, std::uint16_t page, std::uint16_t dataSum) {
  FrameHeader header{kFrameMarker,
                     static_cast<std::uint8_t>(code),
                     static_cast<std::uint8_t>(page >> 8),
                     static_cast<std::uint8_t>(page & 0xFF),
                     static_cast<std::uint8_t>(dataSum >> 8),
                     static_cast<std::uint8_t>(dataSum & 0xFF),
                     0,
                     0};
  header[7] = HeaderCheck(header);
  return header;
}

}  // namespace vardex
