#include "port_failure_text.h"

namespace vardex {
namespace {

// "COM3 (/dev/ttyUSB0)", or just the name when it led to no device.
QString Port(const QString& comName, const QString& path) {
  return path.isEmpty() ? comName : QStringLiteral("%1 (%2)").arg(comName, path);
}

}  // namespace

QString PortFailureDetail(PortFailure failure, const QString& comName, const QString& path,
                          const QString& namesLeadTo) {
  switch (failure) {
    case PortFailure::kUnknownName:
      return QStringLiteral(
                 "\"%1\" is not a port this program can open: choose COM1 to COM9 "
                 "from the list.")
          .arg(comName);
    case PortFailure::kNotLinked:
      return QStringLiteral(
                 "%1 is not linked to any device. Plug in the adapter, or link the "
                 "name to it (for example: ln -s /dev/ttyUSB0 "
                 "~/.vardex/dosdevices/%2).\nThe COM names lead to:\n%3")
          .arg(comName, comName.toLower(), namesLeadTo);
    case PortFailure::kAlreadyOpenHere:
      return QStringLiteral(
                 "%1 is already open in this program. Go on using it, or press "
                 "\"Close port\" before opening it again.")
          .arg(Port(comName, path));
    case PortFailure::kVanished:
      return QStringLiteral(
                 "The device behind %1 is gone. Plug the adapter in again, wait a "
                 "moment, then press \"Open port\".")
          .arg(Port(comName, path));
    case PortFailure::kPermission:
      return QStringLiteral(
                 "Permission denied for %1. Allow yourself to use serial ports with\n"
                 "sudo usermod -aG dialout $USER\n"
                 "then log out and log in again.")
          .arg(Port(comName, path));
    case PortFailure::kBusy:
      return QStringLiteral(
                 "%1 is in use by another program. Close that program, then press "
                 "\"Open port\" again.")
          .arg(Port(comName, path));
  }
  return {};
}

}  // namespace vardex
