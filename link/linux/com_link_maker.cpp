#include "link_platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vardex {

namespace {

std::string LinkPath(int number, const std::string& linkDir) {
  return linkDir + "/com" + std::to_string(number);
}

std::string SystemError(const std::string& what, const std::string& path) {
  return "cannot " + what + " " + path + ": " + std::strerror(errno);
}

// mkdir -p, each folder it makes closed to group and others.
bool MakeFolders(const std::string& dir, std::string& error) {
  for (std::size_t end = 1; end <= dir.size(); ++end) {
    if (end != dir.size() && dir[end] != '/')
      continue;
    const std::string part = dir.substr(0, end);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      error = SystemError("create", part);
      return false;
    }
  }
  struct stat folder {};
  if (::stat(dir.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
    error = dir + " is not a folder";
    return false;
  }
  // The COM names ignore a folder that someone else could fill.
  if (folder.st_uid != ::geteuid() || (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    error = "others may change " + dir +
            ", so its links are not used: make the folder yours and closed to others (chmod "
            "go-w " +
            dir + ")";
    return false;
  }
  return true;
}

// False, with the reason, when <linkDir>/comn is there and is no link.
bool OnlyALinkThere(const std::string& linkPath, bool& exists, std::string& error) {
  struct stat entry {};
  exists = ::lstat(linkPath.c_str(), &entry) == 0;
  if (exists && !S_ISLNK(entry.st_mode)) {
    error = linkPath + " is not a link; move it away first";
    return false;
  }
  return true;
}

// False only for a character device that the system files under another
// class than tty (/dev/null and /dev/zero are "mem"). Asked of sysfs, not of
// the device: opening a serial port raises DTR, which some adapters pass on
// to the device as a reset. A device that sysfs does not list (a
// pseudo-terminal, or no sysfs at all) is given the benefit of the doubt:
// opening it later says why it fails.
bool TerminalOrUnknown(const struct stat& node) {
  const std::string entry = "/sys/dev/char/" + std::to_string(major(node.st_rdev)) + ":" +
                            std::to_string(minor(node.st_rdev)) + "/subsystem";
  char target[PATH_MAX];
  const ssize_t length = ::readlink(entry.c_str(), target, sizeof target - 1);
  if (length <= 0)
    return true;
  const std::string_view subsystem(target, static_cast<std::size_t>(length));
  return subsystem.substr(subsystem.find_last_of('/') + 1) == "tty";
}

// The device number of this process's controlling terminal (field 7 of
// /proc/self/stat), or of a terminal on standard input, output or error.
bool IsOwnTerminal(dev_t device) {
  if (std::FILE* stat = std::fopen("/proc/self/stat", "r")) {
    char text[1024] = {};
    const std::size_t length = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    const char* fields = std::strrchr(text, ')');
    unsigned long terminal = 0;
    if (length > 0 && fields != nullptr &&
        std::sscanf(fields, ") %*c %*d %*d %*d %lu", &terminal) == 1 && terminal != 0 &&
        major(device) == ((terminal >> 8) & 0xFFF) &&
        minor(device) == ((terminal & 0xFF) | ((terminal >> 12) & 0xFFF00)))
      return true;
  }
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    struct stat open {};
    if (::isatty(fd) == 1 && ::fstat(fd, &open) == 0 && open.st_rdev == device)
      return true;
  }
  return false;
}

// Why `node` is a terminal a COM name must not lead to, or empty: linking
// COMn there would send the device's frames to a screen (and read keys as
// replies). /dev/tty, /dev/console and /dev/ptmx are major 5, the virtual
// consoles /dev/tty0 to /dev/tty63 major 4 below the serial ports' minors.
std::string ConsoleProblem(const struct stat& node) {
  const unsigned kind = major(node.st_rdev);
  const unsigned number = minor(node.st_rdev);
  if ((kind == 5 && number <= 2) || (kind == 4 && number < 64))
    return "is a console, not a serial device";
  if (IsOwnTerminal(node.st_rdev))
    return "is this session's own terminal, not a serial device";
  return {};
}

}  // namespace

ComLinkResult MakeComLink(int number, const std::string& device, const std::string& linkDir,
                          const std::string& byIdDir) {
  ComLinkResult result;
  result.linkPath = LinkPath(number, linkDir);
  char real[PATH_MAX];
  struct stat node {};
  if (::realpath(device.c_str(), real) == nullptr || ::stat(real, &node) != 0) {
    result.error = device + " is not present";
    return result;
  }
  if (!S_ISCHR(node.st_mode) || !TerminalOrUnknown(node)) {
    result.error = device + " is not a serial device";
    return result;
  }
  if (const std::string console = ConsoleProblem(node); !console.empty()) {
    result.error = device + " " + console;
    return result;
  }
  result.device = real;
  // A by-id name given is kept; a ttyUSBn given is traded for its by-id name.
  const bool givenById = device.starts_with(byIdDir + "/");
  const std::string byId = givenById ? device : ByIdNameOf(real, byIdDir);
  result.target = byId.empty() ? result.device : byId;

  bool exists = false;
  if (!MakeFolders(linkDir, result.error) ||
      !OnlyALinkThere(result.linkPath, exists, result.error)) {
    return result;
  }
  // Made aside and renamed into place: the name is never missing meanwhile.
  const std::string aside = result.linkPath + ".new" + std::to_string(::getpid());
  ::unlink(aside.c_str());
  if (::symlink(result.target.c_str(), aside.c_str()) != 0 ||
      ::rename(aside.c_str(), result.linkPath.c_str()) != 0) {
    result.error = SystemError("create", result.linkPath);
    ::unlink(aside.c_str());
    return result;
  }
  result.existed = exists;
  result.done = true;
  return result;
}

ComLinkResult RemoveComLink(int number, const std::string& linkDir) {
  ComLinkResult result;
  result.linkPath = LinkPath(number, linkDir);
  if (!OnlyALinkThere(result.linkPath, result.existed, result.error))
    return result;
  if (result.existed && ::unlink(result.linkPath.c_str()) != 0) {
    result.error = SystemError("remove", result.linkPath);
    return result;
  }
  result.done = true;
  return result;
}

}  // namespace vardex
