#pragma once

#include <memory>

#include "serial_port.h"

namespace vardex {

// The system's serial port for `vardex`.
std::unique_ptr<SerialPort> MakeSystemSerialPort();

}  // namespace vardex
