#include "test_device.h"

#include <algorithm>

namespace vardex::testing {

std::array<std::uint8_t, 8> ReplyHeader(std::uint8_t code, std::uint16_t page, std::uint16_t sum) {
  std::array<std::uint8_t, 8> header{0xFF,
                                     code,
                                     static_cast<std::uint8_t>(page >> 8),
                                     static_cast<std::uint8_t>(page),
                                     static_cast<std::uint8_t>(sum >> 8),
                                     static_cast<std::uint8_t>(sum),
                                     0,
                                     0};
  for (int i = 1; i < 7; ++i) header[7] = static_cast<std::uint8_t>(header[7] + header[i]);
  return header;
}

std::vector<std::uint8_t> DataReply(std::uint16_t page, std::span<const std::uint8_t> data128) {
  unsigned sum = 0;
  for (auto byte : data128) sum += byte;
  const auto header = ReplyHeader(0x91, page, static_cast<std::uint16_t>(sum));
  std::vector<std::uint8_t> reply(header.begin(), header.end());
  reply.insert(reply.end(), data128.begin(), data128.end());
  return reply;
}

MemorySerialPort::Responder TestDevice::Responder() {
  return [this](std::span<const std::uint8_t> bytes, MemorySerialPort& port) {
    OnWritten(bytes, port);
  };
}

void TestDevice::OnWritten(std::span<const std::uint8_t> bytes, MemorySerialPort& port) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  while (pending_.size() >= 8) {
    const std::uint8_t code = pending_[1];
    const std::uint16_t page = static_cast<std::uint16_t>(pending_[2] << 8 | pending_[3]);
    if (code == 0x90) {
      const auto reply = DataReply(page, std::span(image).subspan(page * 128u, 128));
      pending_.erase(pending_.begin(), pending_.begin() + 8);
      port.Deliver(reply);
      continue;
    }
    if (pending_.size() < 136)
      return;
    const auto data = std::span(pending_).subspan(8, 128);
    if (code == 0x80) {
      std::copy(data.begin(), data.end(), image.begin() + page * 128);
      port.Deliver(kEepromAck);
    } else {
      firmware.insert(firmware.end(), data.begin(), data.end());
      port.Deliver(kFirmwareAck);
    }
    pending_.erase(pending_.begin(), pending_.begin() + 136);
  }
}

}  // namespace vardex::testing
