#pragma once

#include <memory>

#include "serial_port.h"

namespace vardex {

// The system's serial port: QSerialPort on Linux, the Win32 port on Windows.
// The one place where a program's port is chosen (at build time).
std::unique_ptr<SerialPort> MakeSystemSerialPort();

}  // namespace vardex
