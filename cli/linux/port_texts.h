#pragma once

#include <string_view>

namespace vardex {

// What a port is for vardex's help on Linux: a COM name resolved as in the
// window, or a device path.
inline constexpr std::string_view kPortsSummary = "list COM1 to COM9 and the system's serial ports";
inline constexpr std::string_view kPortText =
    "PORT is COM1 to COM9, resolved as in the window (see \"vardex ports\"), or a\n"
    "device path such as /dev/ttyUSB0. Image files hold the 2048 bytes of the\n"
    "configuration as the device stores them.\n";

// Empty: COM names are this program's own, so "link" is offered.
inline constexpr std::string_view kComLinksElsewhere = "";

}  // namespace vardex
