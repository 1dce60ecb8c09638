#include "port_failure.h"

#include <cctype>
#include <cstdlib>

namespace vardex {

PortFailure DiagnosePortFailure(const PortFacts& facts) {
  if (!facts.knownName)
    return PortFailure::kUnknownName;
  switch (facts.route) {
    case ComRoute::kNoPort:
      return PortFailure::kNotLinked;
    case ComRoute::kDanglingLink:
      return PortFailure::kLinkDangling;
    case ComRoute::kLinkNotSerial:
      return PortFailure::kLinkNotSerial;
    case ComRoute::kLinkDirectoryRefused:
      return PortFailure::kLinkDirectoryRefused;
    case ComRoute::kLink:
    case ComRoute::kSystemPort:
      break;
  }
  if (facts.openHere)
    return PortFailure::kAlreadyOpenHere;
  if (!facts.exists)
    return PortFailure::kVanished;
  if (!facts.accessible)
    return PortFailure::kPermission;
  return PortFailure::kBusy;
}

namespace {

// "COM3 (/dev/ttyUSB0)", or just the name when it led to no device.
std::string Port(const PortFailureContext& c) {
  return c.path.empty() || c.path == c.port ? c.port : c.port + " (" + c.path + ")";
}

std::string Lower(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

// The user's own folders as "~/...", as the user would type them.
std::string Shown(const std::string& path) {
  const char* home = std::getenv("HOME");
  const std::string prefix = home != nullptr && *home != '\0' ? std::string(home) + "/" : "";
  if (prefix.size() > 1 && path.starts_with(prefix))
    return "~/" + path.substr(prefix.size());
  return path;
}

std::string LinkOf(const PortFailureContext& c) {
  return Shown(c.linkDir) + "/" + Lower(c.port);
}

}  // namespace

std::string PortFailureText(PortFailure failure, const PortFailureContext& c) {
  switch (failure) {
    case PortFailure::kUnknownName:
      return "\"" + c.port +
             "\" is not a port this program can open: choose COM1 to COM9 from the list.";
    case PortFailure::kNotLinked:
      return c.port +
             " is not linked to any device. Plug in the adapter, or link the name to it (for "
             "example: vardex link " +
             c.port + " /dev/ttyUSB0).\nThe COM names lead to:\n" + c.namesLeadTo;
    case PortFailure::kLinkDangling:
      return c.port + " is linked to " + c.path +
             ", which is not present: plug the adapter in, or change the link (" + LinkOf(c) + ").";
    case PortFailure::kLinkNotSerial:
      return c.port + " is linked to " + c.path +
             ", which is not a serial device: change the link (" + LinkOf(c) + ").";
    case PortFailure::kLinkDirectoryRefused:
      return c.port + " is linked to " + c.path + ", but others may change " + Shown(c.linkDir) +
             ", so the link is not used: make the folder yours and closed to others (chmod "
             "go-w " +
             Shown(c.linkDir) + ").";
    case PortFailure::kAlreadyOpenHere:
      return Port(c) +
             " is already open in this program. Go on using it, or press \"Close port\" "
             "before opening it again.";
    case PortFailure::kVanished:
      return "The device behind " + Port(c) +
             " is gone. Plug the adapter in again, wait a moment, then " + c.retry + ".";
    case PortFailure::kPermission:
      return "Permission denied for " + Port(c) +
             ". Allow yourself to use serial ports with\nsudo usermod -aG dialout $USER\nthen "
             "log out and log in again.";
    case PortFailure::kBusy:
      return Port(c) + " is in use by another program. Close that program, then " + c.retry +
             " again.";
  }
  return {};
}

}  // namespace vardex
