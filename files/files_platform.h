#pragma once

#include <string>
#include <string_view>

namespace vardex {

// Everything the files library asks of the system it runs on; each platform
// folder (linux/, win32/) answers it in files_platform.cpp.

// Replaces `path` with `contents` through a temporary file and a rename, so a
// failure never leaves a partial or damaged file behind.
bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error);

// The OS name and version, one line; each system says it its own way.
std::string SystemDescription();

}  // namespace vardex
