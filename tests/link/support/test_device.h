#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "memory_serial_port.h"

namespace vardex::testing {

// Reply headers built here on their own (not with the link's code), so the
// tests check the link against an independent reading of the frame format.
std::array<std::uint8_t, 8> ReplyHeader(std::uint8_t code, std::uint16_t page, std::uint16_t sum);
std::vector<std::uint8_t> DataReply(std::uint16_t page, std::span<const std::uint8_t> data128);
inline constexpr std::array<std::uint8_t, 8> kFirmwareAck{0xFF, 0x41, 0, 0, 0, 0, 0, 0x41};
inline constexpr std::array<std::uint8_t, 8> kEepromAck{0xFF, 0x81, 0, 0, 0, 0, 0, 0x81};

// A well-behaved device: it collects the tool's frames from the written
// bytes, acknowledges pages, answers read requests from its image and keeps
// what it was sent.
class TestDevice {
 public:
  std::array<std::uint8_t, 2048> image{};
  std::vector<std::uint8_t> firmware;  // pages in arrival order

  MemorySerialPort::Responder Responder();
  void OnWritten(std::span<const std::uint8_t> bytes, MemorySerialPort& port);

 private:
  std::vector<std::uint8_t> pending_;
};

}  // namespace vardex::testing
