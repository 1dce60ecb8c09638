#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vardex {

// "COM1" to "COM9" in either case ("com2" is COM2) give 1 to 9.
inline std::optional<int> TypedComNumber(std::string_view name) {
  const bool com = name.size() == 4 && (name[0] == 'C' || name[0] == 'c') &&
                   (name[1] == 'O' || name[1] == 'o') && (name[2] == 'M' || name[2] == 'm');
  if (!com || name[3] < '1' || name[3] > '9')
    return std::nullopt;
  return name[3] - '0';
}

// What PORT names: "COM1" to "COM9" (either case) resolve as in the window,
// anything else is a device path. Empty, with `error` set to the reason, when
// a COM name leads nowhere or is one the window does not offer ("COM10").
std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error);

// Why `path`, which `port` led to, could not be opened: in the window's words.
std::string OpenFailureReason(const std::string& port, const std::string& path);

// "vardex ports": the COM names with what each resolves to, then every
// serial port the system lists; for each port its description, maker, USB
// ids, serial number and by-id name. As JSON with the same fields when
// `json` is set.
std::string PortListing(bool json);

}  // namespace vardex
