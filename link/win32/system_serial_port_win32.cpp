#include "system_serial_port.h"
#include "win32_serial_port.h"

namespace vardex {

std::unique_ptr<SerialPort> MakeSystemSerialPort() {
  return std::make_unique<Win32SerialPort>();
}

}  // namespace vardex
