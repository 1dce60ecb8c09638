#pragma once

#include <memory>
#include <string>

#include "frame_trace.h"
#include "serial_port.h"

namespace vardex {

// A port that writes down in `trace` what passes through `port`: every byte
// written and read, its opening and closing, and each new read failure.
// It changes nothing that passes.
class TracedSerialPort final : public SerialPort {
 public:
  TracedSerialPort(std::unique_ptr<SerialPort> port, FrameTrace& trace)
      : port_(std::move(port)), trace_(trace) {}

  bool Open(const std::string& path) override;
  std::size_t Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override;
  std::string LastReadError() const override { return port_->LastReadError(); }
  void Write(std::span<const std::uint8_t> bytes) override;
  void Close() override;
  void Interrupt() override { port_->Interrupt(); }

 private:
  std::unique_ptr<SerialPort> port_;
  FrameTrace& trace_;
  std::string lastReadError_;  // a failing port fails every poll: noted once
  bool open_ = false;
};

}  // namespace vardex
