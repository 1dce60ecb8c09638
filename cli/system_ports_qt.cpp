#include "system_ports.h"

#include <QSerialPortInfo>
#include <cerrno>
#include <cstring>

#include "com_names.h"
#include "com_port_list.h"
#include "qt_serial_port.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vardex {

std::unique_ptr<SerialPort> MakeSystemSerialPort() {
  return std::make_unique<QtSerialPort>();
}

std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error) {
  if (!ComPortNumber(port))
    return port;
  if (auto target = ResolveComName(QString::fromStdString(port)))
    return target->path;
  error = port + ": no device behind this name (see \"vardex ports\")";
  return std::nullopt;
}

std::string OpenFailureReason(const std::string& path) {
#ifndef _WIN32
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0)
    return "missing: " + std::string(std::strerror(errno)) + " (is the device plugged in?)";
  if (::access(path.c_str(), R_OK | W_OK) != 0) {
    return "permission denied; serial devices need the dialout group: "
           "sudo usermod -aG dialout $USER (then log in again)";
  }
#endif
  return "busy: another program has the port open";
}

std::string PortListing() {
  std::string text = ComPortHint().toStdString() + "\n";
  const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
  text += "\nSerial ports of the system:";
  if (ports.isEmpty())
    text += " none";
  text += "\n";
  for (const QSerialPortInfo& info : ports) {
    text += info.systemLocation().toStdString() + "\n";
    auto field = [&text](const char* name, const QString& value) {
      if (!value.isEmpty())
        text += std::string("  ") + name + ": " + value.toStdString() + "\n";
    };
    field("description", info.description());
    field("maker", info.manufacturer());
    field("serial number", info.serialNumber());
    if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
      field("USB id", QStringLiteral("%1:%2")
                          .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                          .arg(info.productIdentifier(), 4, 16, QLatin1Char('0')));
    }
  }
  return text;
}

}  // namespace vardex
