#pragma once

#include <string_view>

namespace vardex {

// What a port is for vardex's help on Windows: the system's own COM names.
inline constexpr std::string_view kPortsSummary = "list the system's COM ports";
inline constexpr std::string_view kPortText =
    "PORT is a COM name such as COM3 or COM12 (see \"vardex ports\"), or a device\n"
    "path such as \\\\.\\COM3. Image files hold the 2048 bytes of the\n"
    "configuration as the device stores them.\n";

// COM names are the system's own on Windows, so "link" is not offered; asked
// for anyway, it says where Windows changes a port's number.
inline constexpr std::string_view kComLinksElsewhere =
    "link is not offered on Windows, where every COM name is the system's own. To give an "
    "adapter another COM number, open the Device Manager, Ports (COM & LPT), the adapter's "
    "Properties, Port Settings, Advanced..., and choose the COM Port Number there";

}  // namespace vardex
