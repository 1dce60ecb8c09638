#pragma once

#include <memory>
#include <optional>
#include <string>

#include "serial_port.h"

namespace vardex {

// What differs between the platforms when vardex reaches a port: Qt's
// QSerialPort and port list on Linux, the Win32 COM devices and the
// registry's list on Windows.

// A closed port of this platform's kind.
std::unique_ptr<SerialPort> MakeSystemSerialPort();

// What PORT names: a COM name resolves as in the window ("COM1" to "COM9"
// on Linux, any "COMn" on Windows), anything else is a device path. Empty,
// with `error` set, when a COM name leads nowhere.
std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error);

// Why `path` could not be opened: missing, no permission (with the dialout
// hint) or busy. Looks, does not open: opening a serial device moves its
// modem lines.
std::string OpenFailureReason(const std::string& path);

// "vardex ports": what the COM names resolve to, then every serial port the
// system lists with what it tells about it.
std::string PortListing();

}  // namespace vardex
