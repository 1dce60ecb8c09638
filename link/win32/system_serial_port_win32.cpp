#include "system_serial_port.h"
#include "traced_serial_port.h"
#include "win32_serial_port.h"

namespace vardex {

std::unique_ptr<SerialPort> MakeSystemSerialPort() {
  return std::make_unique<TracedSerialPort>(std::make_unique<Win32SerialPort>(), SystemPortTrace());
}

}  // namespace vardex
