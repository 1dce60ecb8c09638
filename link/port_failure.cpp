#include "port_failure.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vardex {

PortFailure DiagnosePortFailure(const PortFacts& facts) {
  if (!facts.knownName)
    return PortFailure::kUnknownName;
  if (!facts.resolved)
    return facts.linkDangling ? PortFailure::kVanished : PortFailure::kNotLinked;
  if (facts.openHere)
    return PortFailure::kAlreadyOpenHere;
  if (!facts.exists)
    return PortFailure::kVanished;
  if (!facts.accessible)
    return PortFailure::kPermission;
  return PortFailure::kBusy;
}

void ProbeFileSystem(const std::string& linkDir, int number, const std::string& path,
                     PortFacts& facts) {
#ifdef _WIN32
  (void)linkDir;
  (void)number;
  // Windows names its own ports; a failed open there means someone holds it.
  facts.exists = !path.empty();
  facts.accessible = facts.exists;
#else
  if (!linkDir.empty()) {
    const std::string link = linkDir + "/com" + std::to_string(number);
    struct stat linkStatus {};
    struct stat targetStatus {};
    facts.linkDangling = ::lstat(link.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode) &&
                         ::stat(link.c_str(), &targetStatus) != 0;
  }
  if (!path.empty()) {
    struct stat deviceStatus {};
    facts.exists = ::stat(path.c_str(), &deviceStatus) == 0;
    facts.accessible = facts.exists && ::access(path.c_str(), R_OK | W_OK) == 0;
  }
#endif
}

}  // namespace vardex
