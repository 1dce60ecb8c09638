#include <cstdio>
#include <filesystem>

#include "firmware_buffer.h"

namespace vardex {

// The wide call: a name outside the ANSI code page opens too.
std::FILE* OpenForReading(const std::filesystem::path& path) {
  return _wfopen(path.c_str(), L"rb");
}

}  // namespace vardex
