#pragma once

#include <string>

namespace vardex {

// Where udev names USB serial adapters by maker, model and serial number.
// Such a name stays with its adapter whatever ttyUSBn it gets.
inline constexpr const char* kSerialByIdDirectory = "/dev/serial/by-id";

// The name in `byIdDir` that leads to the same device as `device` (the
// first in name order), or empty when none does.
std::string ByIdNameOf(const std::string& device, const std::string& byIdDir);

}  // namespace vardex
