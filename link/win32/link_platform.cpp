#include "link_platform.h"
#include "com_names.h"
#include "port_failure.h"

#include <cstdio>
#include <filesystem>

namespace vardex {

namespace {

ComLinkResult NoLinksHere() {
  ComLinkResult result;
  result.error = "COM names are the system's own on Windows";
  return result;
}

}  // namespace

// COMn is the system's own COMn: no folder of links names it.
ComPortTarget LookUpLink(const std::string&, int) {
  return {};
}

void ProbeFileSystem(const std::string& path, PortFacts& facts) {
  if (path.empty())
    return;
  // Windows names its own ports; a failed open there means someone holds it.
  facts.exists = true;
  facts.accessible = true;
}

// The wide call: a name outside the ANSI code page opens too.
std::FILE* OpenForReading(const std::filesystem::path& path) {
  return _wfopen(path.c_str(), L"rb");
}

// Windows has no by-id folder: its adapters go by their COM names.
std::string ByIdNameOf(const std::string&, const std::string&) {
  return {};
}

ComLinkResult MakeComLink(int, const std::string&, const std::string&, const std::string&) {
  return NoLinksHere();
}

ComLinkResult RemoveComLink(int, const std::string&) {
  return NoLinksHere();
}

}  // namespace vardex
