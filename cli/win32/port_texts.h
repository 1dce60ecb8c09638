#pragma once

#include <string_view>

namespace vardex {

// What a port is for vardex's help on Windows: the system's own COM names.
inline constexpr std::string_view kPortsSummary = "list the system's COM ports";
inline constexpr std::string_view kPortText =
    "PORT is a COM name such as COM3 or COM12 (see \"vardex ports\"), or a device\n"
    "path such as \\\\.\\COM3. Image files hold the 2048 bytes of the\n"
    "configuration as the device stores them.\n";

}  // namespace vardex
