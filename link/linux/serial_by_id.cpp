#include "serial_by_id.h"

#include <algorithm>
#include <vector>

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>

namespace vardex {

std::string ByIdNameOf(const std::string& device, const std::string& byIdDir) {
  char real[PATH_MAX];
  if (::realpath(device.c_str(), real) == nullptr)
    return {};
  DIR* dir = ::opendir(byIdDir.c_str());
  if (dir == nullptr)
    return {};  // no USB adapter plugged in, or not Linux
  std::vector<std::string> matches;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.')
      continue;
    const std::string name = byIdDir + "/" + entry->d_name;
    char leadsTo[PATH_MAX];
    if (::realpath(name.c_str(), leadsTo) != nullptr && std::string(leadsTo) == real)
      matches.push_back(name);
  }
  ::closedir(dir);
  if (matches.empty())
    return {};
  return *std::min_element(matches.begin(), matches.end());
}

}  // namespace vardex
