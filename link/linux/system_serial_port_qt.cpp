#include "qt_serial_port.h"
#include "system_serial_port.h"
#include "traced_serial_port.h"

namespace vardex {

std::unique_ptr<SerialPort> MakeSystemSerialPort() {
  return std::make_unique<TracedSerialPort>(std::make_unique<QtSerialPort>(), SystemPortTrace());
}

}  // namespace vardex
