#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vardex {

// What Windows tells of its COM ports, beyond the answers to link_platform.h.

// The COM names in the registry's map of serial devices, with the driver's
// device name for each ("\Device\Serial0", "\Device\VCP0").
std::vector<std::pair<std::string, std::string>> RegisteredComPorts();

// Every COMn the system's name space holds, registered or not (some
// virtual ports, and Wine's dosdevices links, are only there).
std::vector<std::string> DosDeviceComNames();

// What the name space says COMn leads to, or empty when it has no COMn.
std::string DosDeviceTarget(const std::string& name);

}  // namespace vardex
