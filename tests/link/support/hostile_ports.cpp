#include "hostile_ports.h"

#include <vector>

namespace vardex::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

MemorySerialPort::Responder HostileResponder(Hostility hostility) {
  switch (hostility) {
    case Hostility::kAnswersGarbage:
      return [](std::span<const std::uint8_t>, MemorySerialPort& port) {
        // Markers with every reply code but wrong checks, and plain noise.
        Bytes garbage;
        for (int i = 0; i < 200; ++i) {
          const auto code = static_cast<std::uint8_t>(0x41 + (i % 3) * 0x40 + (i % 2) * 0x10);
          garbage.insert(garbage.end(), {0xFF, code, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         static_cast<std::uint8_t>(i), 0x5A});
        }
        port.Deliver(garbage);
      };
    case Hostility::kAnswersAFragment:
      return [](std::span<const std::uint8_t>, MemorySerialPort& port) {
        port.Deliver(Bytes{0xFF, 0x91, 0x00, 0x00, 0x7F});
        port.Deliver(Bytes{0xFF, 0x81, 0x00});
      };
    case Hostility::kNeverAnswers:
    case Hostility::kReadsFail:
      break;
  }
  return {};
}

}  // namespace

std::unique_ptr<MemorySerialPort> MakeHostilePort(Hostility hostility) {
  auto port = std::make_unique<MemorySerialPort>(HostileResponder(hostility));
  if (hostility == Hostility::kReadsFail)
    port->FailReads();
  return port;
}

}  // namespace vardex::testing
