#pragma once

#include <cstdint>
#include <span>

namespace vardex::sim {

// Writes the settings of a device fresh from the factory into a zeroed
// 2048-byte image: every field of every page holds a value the configurator
// accepts on its next write. The checksum is left to the caller.
void PutFactorySettings(std::span<std::uint8_t> image);

}  // namespace vardex::sim
