#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// "COM1" to "COM9" give 1 to 9; any other text gives nothing.
std::optional<int> ComPortNumber(std::string_view name);

// Where a COM name leads and why.
struct ComPortTarget {
  std::string path;       // the device to open
  bool fromLink = false;  // through the link directory, else the system's list
};

// COMn is first looked up as the symlink <linkDir>/comn (lower case), in the
// manner of Wine's dosdevices. The directory is trusted only when it belongs
// to the user and neither group nor others may write to it; the link must
// lead to a character device. Returns the device's real path.
std::optional<std::string> ResolveThroughLinkDirectory(const std::string& linkDir, int number);

// $HOME/.vardex/dosdevices, or empty without a home directory.
std::string DefaultLinkDirectory();

// COMn: the link if there is one, else the n-th of `systemPorts` (which the
// caller lists in a stable order).
std::optional<ComPortTarget> ResolveComPort(int number, const std::string& linkDir,
                                            const std::vector<std::string>& systemPorts);

// Orders device paths as people count them: ttyS2 before ttyS10.
void SortPortsNaturally(std::vector<std::string>& paths);

}  // namespace vardex
