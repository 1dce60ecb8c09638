#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// "COM1" to "COM9" give 1 to 9; any other text gives nothing.
std::optional<int> ComPortNumber(std::string_view name);

// Where a COM name leads, or why it leads nowhere.
enum class ComRoute : std::uint8_t {
  kLink,                  // the name's link in the link directory
  kSystemPort,            // no link: the n-th port the system lists
  kNoPort,                // no link, and the system lists fewer ports
  kDanglingLink,          // the link leads to nothing (an adapter unplugged)
  kLinkNotSerial,         // the link leads to something that is no serial device
  kLinkDirectoryRefused,  // the link's folder may be changed by others
};

struct ComPortTarget {
  ComRoute route = ComRoute::kNoPort;
  // The device to open; for a refused or broken link, where the link points.
  std::string path;

  bool Opens() const { return route == ComRoute::kLink || route == ComRoute::kSystemPort; }
};

// $HOME/.vardex/dosdevices, or empty without a home directory.
std::string DefaultLinkDirectory();

// COMn: the link if there is one, else the n-th of `systemPorts` (which the
// caller lists in a stable order).
ComPortTarget ResolveComPort(int number, const std::string& linkDir,
                             const std::vector<std::string>& systemPorts);

// One line per COM name with where it leads ("COM1: /dev/ttyS0 (system
// port 1)", "COM2: linked to /dev/ttyUSB0, which is not present").
std::string DescribeComName(int number, const ComPortTarget& target, const std::string& linkDir);
std::string DescribeComNames(const std::string& linkDir,
                             const std::vector<std::string>& systemPorts);

// Orders device paths as people count them: ttyS2 before ttyS10.
void SortPortsNaturally(std::vector<std::string>& paths);
bool NaturallyBefore(const std::string& a, const std::string& b);

}  // namespace vardex
