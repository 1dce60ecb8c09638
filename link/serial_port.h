#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vardex {

// The worker's view of a serial port. Everything but Interrupt() runs on the
// worker thread.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the device at `path` exclusively, 115200 8N1, no flow control, DTR
  // and RTS not asserted. False when any of that fails (the port is then closed).
  virtual bool Open(const std::string& path) = 0;
  // Returns the bytes that arrived, as soon as there are any, up to into.size();
  // 0 after `timeout` of silence, on a failed read (possibly at once), or
  // when interrupted.
  virtual std::size_t Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) = 0;
  // Why the last Read() returned nothing: empty after plain silence, else
  // the failure (a device gone, an adapter unplugged).
  virtual std::string LastReadError() const = 0;
  // Blocking write; a failure shows up only as a missing reply.
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
  virtual void Close() = 0;
  // Any thread: makes a running Read return now, or else the next one.
  virtual void Interrupt() = 0;
};

}  // namespace vardex
