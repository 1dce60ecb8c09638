#pragma once

#include <optional>
#include <string>

namespace vardex {

// What PORT names: "COM1" to "COM9" resolve as in the window, anything else
// is a device path. Empty, with `error` set, when a COM name leads nowhere.
std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error);

// Why `path` could not be opened: missing, no permission (with the dialout
// hint) or busy. Looks, does not open: opening a serial device moves its
// modem lines.
std::string OpenFailureReason(const std::string& path);

// "vardex ports": the COM names with what each resolves to, then every
// serial port the system lists with its description, maker, serial number
// and USB ids.
std::string PortListing();

}  // namespace vardex
