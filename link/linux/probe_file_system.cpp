#include "port_failure.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vardex {

void ProbeFileSystem(const std::string& path, PortFacts& facts) {
  if (path.empty())
    return;
  struct stat deviceStatus {};
  facts.exists = ::stat(path.c_str(), &deviceStatus) == 0;
  facts.accessible = facts.exists && ::access(path.c_str(), R_OK | W_OK) == 0;
}

}  // namespace vardex
