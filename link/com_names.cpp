#include "com_names.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <tuple>

#ifndef _WIN32
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vardex {

std::optional<int> ComPortNumber(std::string_view name) {
  if (name.size() != 4 || name.substr(0, 3) != "COM" || name[3] < '1' || name[3] > '9') {
    return std::nullopt;
  }
  return name[3] - '0';
}

std::optional<std::string> ResolveThroughLinkDirectory(const std::string& linkDir, int number) {
#ifdef _WIN32
  (void)linkDir;
  (void)number;
  return std::nullopt;
#else
  if (linkDir.empty())
    return std::nullopt;
  struct stat dirStatus {};
  if (::stat(linkDir.c_str(), &dirStatus) != 0 || !S_ISDIR(dirStatus.st_mode))
    return std::nullopt;
  // A directory that someone else could fill would let them pick our device.
  if (dirStatus.st_uid != ::geteuid() || (dirStatus.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return std::nullopt;
  }
  const std::string link = linkDir + "/com" + std::to_string(number);
  char real[PATH_MAX];
  if (::realpath(link.c_str(), real) == nullptr)
    return std::nullopt;
  struct stat deviceStatus {};
  if (::stat(real, &deviceStatus) != 0 || !S_ISCHR(deviceStatus.st_mode))
    return std::nullopt;
  return std::string(real);
#endif
}

std::string DefaultLinkDirectory() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0')
    return {};
  return std::string(home) + "/.vardex/dosdevices";
}

std::optional<ComPortTarget> ResolveComPort(int number, const std::string& linkDir,
                                            const std::vector<std::string>& systemPorts) {
  if (number < 1 || number > 9)
    return std::nullopt;
  if (auto linked = ResolveThroughLinkDirectory(linkDir, number)) {
    return ComPortTarget{*linked, true};
  }
  const auto index = static_cast<std::size_t>(number - 1);
  if (index >= systemPorts.size())
    return std::nullopt;
  return ComPortTarget{systemPorts[index], false};
}

namespace {

// Splits "/dev/ttyUSB10" into ("/dev/ttyUSB", 10, whole).
std::tuple<std::string, unsigned long, std::string> NaturalKey(const std::string& path) {
  std::size_t digits = path.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(path[digits - 1]))) --digits;
  const std::string number = path.substr(digits);
  return {path.substr(0, digits), number.empty() ? 0 : std::stoul(number.substr(0, 9)), path};
}

}  // namespace

void SortPortsNaturally(std::vector<std::string>& paths) {
  std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
    return NaturalKey(a) < NaturalKey(b);
  });
}

}  // namespace vardex
