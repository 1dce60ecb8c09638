#pragma once

#include <string>

namespace vardex {

// Why "Open port" could not open a COM name, worked out after the fact from
// what the file system shows. The serial layer reports only that opening
// failed, and it reports a lock held by another program the same way as a
// refused permission, so the reason is found by looking.
enum class PortFailure {
  kUnknownName,      // not one of COM1 to COM9
  kNotLinked,        // no link and no system port for the name
  kAlreadyOpenHere,  // this program's own worker holds the device
  kVanished,         // the name leads to a device that is gone
  kPermission,       // the user may not read and write the device
  kBusy,             // the device is there and allowed: someone else holds it
};

// What was found about a name that failed to open.
struct PortFacts {
  bool knownName = false;     // one of COM1 to COM9
  bool resolved = false;      // a device path was found for it
  bool openHere = false;      // the running worker holds that same device
  bool linkDangling = false;  // a link exists for the name but leads nowhere
  bool exists = false;        // the device path exists
  bool accessible = false;    // read and write allowed to this user
};

PortFailure DiagnosePortFailure(const PortFacts& facts);

// Fills `linkDangling` (for COM`number` in `linkDir`), `exists` and
// `accessible` (for `path`, when not empty) from the file system.
void ProbeFileSystem(const std::string& linkDir, int number, const std::string& path,
                     PortFacts& facts);

}  // namespace vardex
