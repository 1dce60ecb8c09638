#pragma once

#include <array>
#include <cstdint>

#include "device_memory.h"
#include "event_log.h"
#include "flood.h"
#include "reply_faults.h"
#include "request_parser.h"
#include "serial_line.h"
#include "sim_options.h"

namespace vardex::sim {

// The device's answers: stores written pages, serves read requests, and
// sends each reply through the fault switches of the command line.
class Device {
 public:
  Device(const SimOptions& options, DeviceMemory& memory, SerialLine& line, Flood& flood,
         const EventLog& log);

  // False only when a stop signal arrived while replying.
  bool Handle(const Request& request);

 private:
  bool StorePage(const Request& request);
  bool SendPage(const Request& request);
  bool Reply(std::uint8_t code, std::uint16_t page, std::span<const std::uint8_t> data);
  bool Send(std::span<const std::uint8_t> bytes);

  const SimOptions& options_;
  DeviceMemory& memory_;
  SerialLine& line_;
  Flood& flood_;
  const EventLog& log_;
  ReplyFaults faults_;
  NoiseSource noise_;
  std::array<std::uint8_t, kMaxNoise + kFrameWithPageSize> out_{};
};

}  // namespace vardex::sim
