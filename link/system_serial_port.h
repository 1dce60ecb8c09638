#pragma once

#include <cstddef>
#include <memory>

#include "frame_trace.h"
#include "serial_port.h"

namespace vardex {

// The system's serial port: QSerialPort on Linux, the Win32 port on Windows.
// The one place where a program's port is chosen (at build time). What every
// such port carries is written down in SystemPortTrace().
std::unique_ptr<SerialPort> MakeSystemSerialPort();

// Room for the trace of a whole firmware upload, the longest transfer (with
// its acknowledgements and the records' own bytes), so that a trace of one
// upload keeps its start.
inline constexpr std::size_t kSystemPortTraceBytes = std::size_t{512} * 1024;

// The trace of this program's system ports, from the first one made.
FrameTrace& SystemPortTrace();

}  // namespace vardex
