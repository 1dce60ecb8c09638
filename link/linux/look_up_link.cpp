#include "com_names.h"

#include <limits.h>
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

}  // namespace vardex
