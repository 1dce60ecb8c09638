// The system's serial ports on Linux: Qt lists them, sysfs names their
// drivers, udev their by-id names; COMn is the name's link, else the n-th.
#include <QDateTime>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "com_names.h"
#include "com_port_list.h"
#include "link_platform.h"
#include "port_failure.h"
#include "system_port_info.h"

namespace vardex {
namespace {

// The kernel driver behind a tty ("ttyUSB0"): the name its device's driver
// link in sysfs points to; empty for a port without one (a pseudo-terminal).
std::string DriverOf(const std::string& ttyName) {
  std::error_code error;
  const std::filesystem::path driver = std::filesystem::read_symlink(
      std::filesystem::path("/sys/class/tty") / ttyName / "device" / "driver", error);
  return error ? std::string() : driver.filename().string();
}

}  // namespace

std::vector<SystemPortInfo> SystemPortInfos() {
  std::vector<SystemPortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SystemPortInfo& port = ports.emplace_back();
    port.path = info.systemLocation().toStdString();
    port.description = info.description().toStdString();
    port.maker = info.manufacturer().toStdString();
    if (info.hasVendorIdentifier())
      port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
      port.productId = info.productIdentifier();
    port.serialNumber = info.serialNumber().toStdString();
    port.byIdName = ByIdNameOf(port.path, kSerialByIdDirectory);
    port.driver = DriverOf(info.portName().toStdString());
  }
  std::sort(ports.begin(), ports.end(), [](const SystemPortInfo& a, const SystemPortInfo& b) {
    return NaturallyBefore(a.path, b.path);
  });
  return ports;
}

std::optional<int> SystemComNumber(std::string_view name) {
  return ComPortNumber(name);
}

std::vector<std::string> SystemComNamesAboveNine() {
  return {};
}

ComPortTarget ResolveSystemComName(const std::string& name) {
  return ResolveSystemComNameAmong(name, SystemPortInfos());
}

ComPortTarget ResolveSystemComNameAmong(const std::string& name,
                                        std::span<const SystemPortInfo> ports) {
  const auto number = ComPortNumber(name);
  if (!number)
    return {};
  std::vector<std::string> paths;
  for (const SystemPortInfo& port : ports) paths.push_back(port.path);
  return ResolveComPort(*number, DefaultLinkDirectory(), paths);
}

// A device node or a link that comes or goes changes the date of its
// folder; a link's target (a pseudo-terminal, say) may come and go alone.
std::string SystemPortChangeSigns(const std::string& target) {
  QString signs;
  for (const QString& path :
       {QStringLiteral("/dev"), QString::fromLatin1(kSerialByIdDirectory),
        QString::fromStdString(DefaultLinkDirectory()), QString::fromStdString(target)}) {
    const QFileInfo info(path);
    signs += info.exists() ? QString::number(info.lastModified().toMSecsSinceEpoch()) : "-";
    signs += '|';
  }
  return signs.toStdString();
}

void ProbePortFailure(const std::string& path, PortFacts& facts) {
  ProbeFileSystem(path, facts);
}

std::string SystemComPortHint() {
  return DescribeComNames(DefaultLinkDirectory(), SystemSerialPorts());
}

}  // namespace vardex
