#include "traced_serial_port.h"

namespace vardex {

bool TracedSerialPort::Open(const std::string& path) {
  open_ = port_->Open(path);
  trace_.Note((open_ ? "opened " : "cannot open ") + path);
  lastReadError_.clear();
  return open_;
}

std::size_t TracedSerialPort::Read(std::span<std::uint8_t> into,
                                   std::chrono::milliseconds timeout) {
  const std::size_t count = port_->Read(into, timeout);
  if (count > 0) {
    trace_.Record(FrameTrace::Kind::kReceived, into.first(count));
    lastReadError_.clear();
    return count;
  }
  std::string error = port_->LastReadError();
  if (!error.empty() && error != lastReadError_)
    trace_.Note("read failed: " + error);
  lastReadError_ = std::move(error);
  return count;
}

void TracedSerialPort::Write(std::span<const std::uint8_t> bytes) {
  trace_.Record(FrameTrace::Kind::kSent, bytes);
  port_->Write(bytes);
}

void TracedSerialPort::Close() {
  port_->Close();
  if (open_)
    trace_.Note("closed");
  open_ = false;
}

}  // namespace vardex
