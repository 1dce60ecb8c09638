#pragma once

#include <string>

#include "com_names.h"

namespace vardex {

// Why a COM name or a port could not be opened, worked out after the fact
// from what the file system shows. The serial layer reports only that
// opening failed, and it reports a lock held by another program the same way
// as a refused permission, so the reason is found by looking.
enum class PortFailure {
  kUnknownName,           // not one of COM1 to COM9
  kNotLinked,             // no link and no system port for the name
  kLinkDangling,          // the name's link leads to nothing
  kLinkNotSerial,         // the name's link leads to no serial device
  kLinkDirectoryRefused,  // the link's folder may be changed by others
  kAlreadyOpenHere,       // this program's own worker holds the device
  kVanished,              // the device is gone
  kPermission,            // the user may not read and write the device
  kBusy,                  // the device is there and allowed: someone else holds it
};

// What was found about a name or a device that failed to open.
struct PortFacts {
  bool knownName = false;  // one of COM1 to COM9, or a device path
  ComRoute route = ComRoute::kNoPort;
  bool openHere = false;    // the running worker holds that same device
  bool exists = false;      // the device path exists
  bool accessible = false;  // read and write allowed to this user
};

PortFailure DiagnosePortFailure(const PortFacts& facts);

// The reason in words, with what to do, for the window's open-error box and
// for `vardex`. `port` is what the user chose ("COM3" or a device path),
// `path` the device it led to (or where its link points), `linkDir` the link
// folder and `namesLeadTo` one line per COM name saying where it leads.
struct PortFailureContext {
  std::string port;
  std::string path;
  std::string linkDir;
  std::string namesLeadTo;
  // How to try again: the window's button, or the command; the texts add
  // "again" where it reads so.
  std::string retry = "press \"Open port\"";
};
std::string PortFailureText(PortFailure failure, const PortFailureContext& context);

}  // namespace vardex
