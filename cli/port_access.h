#pragma once

#include <optional>
#include <string>

namespace vardex {

// What PORT names: "COM1" to "COM9" resolve as in the window, anything else
// is a device path. Empty, with `error` set to the reason, when a COM name
// leads nowhere.
std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error);

// Why `path`, which `port` led to, could not be opened: in the window's words.
std::string OpenFailureReason(const std::string& port, const std::string& path);

// "vardex ports": the COM names with what each resolves to, then every
// serial port the system lists; for each port its description, maker, USB
// ids, serial number and by-id name. As JSON with the same fields when
// `json` is set.
std::string PortListing(bool json);

}  // namespace vardex
