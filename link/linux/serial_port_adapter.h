#pragma once

#include <QSerialPort>
#include <memory>

#include "serial_port.h"

namespace vardex {

// The worker's port on top of QSerialPort. The QSerialPort is made in Open()
// and destroyed in Close(), both on the worker thread, which never runs an
// event loop: the port is only ever read from the worker's own waits.
// Interrupt() may come from any thread.
class QtSerialPort final : public SerialPort {
 public:
  QtSerialPort();
  ~QtSerialPort() override;

  bool Open(const std::string& path) override;
  std::size_t Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override;
  std::string LastReadError() const override;
  void Write(std::span<const std::uint8_t> bytes) override;
  void Close() override;
  void Interrupt() override;

 private:
  bool WaitForInput(std::chrono::milliseconds timeout);

  std::unique_ptr<QSerialPort> port_;
  int wakePipe_[2] = {-1, -1};  // Interrupt() writes, Read() drains
  bool hungUp_ = false;         // the last Read() found the line hung up
};

}  // namespace vardex
