#include <cstdio>
#include <filesystem>

#include "firmware_buffer.h"

namespace vardex {

std::FILE* OpenForReading(const std::filesystem::path& path) {
  return std::fopen(path.c_str(), "rb");
}

}  // namespace vardex
