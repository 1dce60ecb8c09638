#include "link_platform.h"
#include "com_names.h"
#include "port_failure.h"

#include <algorithm>
#include <vector>

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vardex {

ComPortTarget LookUpLink(const std::string& linkDir, int number) {
  if (linkDir.empty())
    return {};
  const std::string link = linkDir + "/com" + std::to_string(number);
  struct stat linkStatus {};
  if (::lstat(link.c_str(), &linkStatus) != 0)
    return {};  // no link: the system's ports decide
  char target[PATH_MAX];
  const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
  const std::string pointsTo =
      length > 0 ? std::string(target, static_cast<std::size_t>(length)) : link;
  struct stat dirStatus {};
  // A directory that someone else could fill would let them pick our device.
  if (::stat(linkDir.c_str(), &dirStatus) != 0 || dirStatus.st_uid != ::geteuid() ||
      (dirStatus.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return {ComRoute::kLinkDirectoryRefused, pointsTo};
  }
  char real[PATH_MAX];
  if (::realpath(link.c_str(), real) == nullptr)
    return {ComRoute::kDanglingLink, pointsTo};
  struct stat deviceStatus {};
  if (::stat(real, &deviceStatus) != 0 || !S_ISCHR(deviceStatus.st_mode))
    return {ComRoute::kLinkNotSerial, real};
  return {ComRoute::kLink, real};
}

void ProbeFileSystem(const std::string& path, PortFacts& facts) {
  if (path.empty())
    return;
  struct stat deviceStatus {};
  facts.exists = ::stat(path.c_str(), &deviceStatus) == 0;
  facts.accessible = facts.exists && ::access(path.c_str(), R_OK | W_OK) == 0;
}

std::FILE* OpenForReading(const std::filesystem::path& path) {
  return std::fopen(path.c_str(), "rb");
}

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
