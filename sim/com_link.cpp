#include "com_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vardex::sim {
namespace {

// mkdir -p with mode 0700 for every directory it has to make.
bool MakeDirectories(const std::string& dir, std::string& error) {
  for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
    if (pos != dir.size() && dir[pos] != '/')
      continue;
    const std::string part = dir.substr(0, pos);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "cannot create " + part + ": " + std::strerror(errno);
      return false;
    }
  }
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    error = dir + " is not a directory";
    return false;
  }
  if (st.st_uid != ::geteuid() || (st.st_mode & 022) != 0) {
    std::fprintf(stderr,
                 "vardex-sim: warning: %s must belong to you and not be writable by group or "
                 "others, or the tool will not use it\n",
                 dir.c_str());
  }
  return true;
}

std::string LinkTarget(const std::string& path) {
  char buffer[4096];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  return n < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
}

// Points `path` at `target`: made aside and renamed into place, so the name
// never dangles half-made.
bool PlaceLink(const std::string& path, const std::string& target) {
  const std::string temp = path + ".new" + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (::symlink(target.c_str(), temp.c_str()) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool ComLink::Create(int com, const std::string& dirOption, const std::string& target, bool replace,
                     std::string& error) {
  std::string dir = dirOption;
  if (dir.empty()) {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      error = "HOME is not set; give --link-dir";
      return false;
    }
    dir = std::string(home) + "/.vardex/dosdevices";
  }
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (!MakeDirectories(dir, error))
    return false;

  const std::string path = dir + "/com" + std::to_string(com);
  struct stat st {};
  const bool exists = ::lstat(path.c_str(), &st) == 0;
  if (exists && !S_ISLNK(st.st_mode)) {
    error = path + " exists and is not a symlink";
    return false;
  }
  const std::string old = exists ? LinkTarget(path) : std::string();
  // A killed run's link leads to a pty that is gone, or that this run now
  // holds under the same number.
  const bool leftOver =
      old == target || (old.starts_with("/dev/pts/") && ::stat(path.c_str(), &st) != 0);
  if (exists && !leftOver) {
    if (!replace) {
      error = path + " already leads to " + old +
              "; give --replace-link to stand in for it while the simulator runs";
      return false;
    }
    replaced_ = old;
  }
  if (!PlaceLink(path, target)) {
    error = "cannot create " + path + ": " + std::strerror(errno);
    replaced_.clear();
    return false;
  }
  path_ = path;
  target_ = target;
  return true;
}

void ComLink::Remove() {
  if (path_.empty())
    return;
  if (LinkTarget(path_) == target_) {
    if (replaced_.empty() || !PlaceLink(path_, replaced_))
      ::unlink(path_.c_str());
  }
  path_.clear();
  replaced_.clear();
}

}  // namespace vardex::sim
