#pragma once

#include <string>
#include <utility>
#include <vector>

#include "system_port_info.h"

namespace vardex {

// The COM names in the registry's map of serial devices, with the driver's
// device name for each ("\Device\Serial0", "\Device\VCP0").
std::vector<std::pair<std::string, std::string>> RegisteredComPorts();

// Every COMn the system's name space holds, registered or not (some
// virtual ports, and Wine's dosdevices links, are only there).
std::vector<std::string> DosDeviceComNames();

// What the name space says COMn leads to, or empty when it has no COMn.
std::string DosDeviceTarget(const std::string& name);

// Every COM port the system knows, by its COM name ("COM3") as people count
// them, with what the device manager says about it: description, maker,
// USB ids, serial number and driver (its service) when it has them.
std::vector<SystemPortInfo> SystemComPortInfos();

}  // namespace vardex
