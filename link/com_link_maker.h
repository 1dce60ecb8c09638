#pragma once

#include <string>

namespace vardex {

// What became of a request to link or unlink a COM name.
struct ComLinkResult {
  bool done = false;
  std::string linkPath;  // <linkDir>/comn
  std::string target;    // what the link points at now (empty once removed)
  std::string device;    // the device it leads to today
  bool existed = false;  // a removal found a link to remove
  std::string error;     // why not, when !done
};

// Makes <linkDir>/comn point at `device`, replacing an older link of that
// name. The link goes to the adapter's name in `byIdDir` when it has one, so
// that the name still means that adapter after replugging or next to a
// second one. Missing folders are made owner-only. Refuses a device that is
// no terminal (no character device, or one such as /dev/null that the
// system files under another class), a console or the session's own
// terminal, without opening it, and a link folder
// that others may change (the COM names would not use it).
ComLinkResult MakeComLink(int number, const std::string& device, const std::string& linkDir,
                          const std::string& byIdDir);

// Removes <linkDir>/comn if it is there; refuses to remove anything but a link.
ComLinkResult RemoveComLink(int number, const std::string& linkDir);

}  // namespace vardex
