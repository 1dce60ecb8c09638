#include "com_port_list.h"

#include <QSerialPortInfo>
#include <algorithm>

#include "serial_by_id.h"

namespace vardex {

std::vector<SystemPortInfo> SystemPortInfos() {
  std::vector<SystemPortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SystemPortInfo& port = ports.emplace_back();
#ifdef Q_OS_WIN
    port.path = info.portName().toStdString();  // "COM3", as the COM names resolve
#else
    port.path = info.systemLocation().toStdString();
#endif
    port.description = info.description().toStdString();
    port.maker = info.manufacturer().toStdString();
    if (info.hasVendorIdentifier())
      port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
      port.productId = info.productIdentifier();
    port.serialNumber = info.serialNumber().toStdString();
    port.byIdName = ByIdNameOf(port.path, kSerialByIdDirectory);
  }
  std::sort(ports.begin(), ports.end(), [](const SystemPortInfo& a, const SystemPortInfo& b) {
    return NaturallyBefore(a.path, b.path);
  });
  return ports;
}

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> paths;
  for (const SystemPortInfo& port : SystemPortInfos()) paths.push_back(port.path);
  return paths;
}

ComPortTarget ResolveComName(const QString& name) {
#ifdef Q_OS_WIN
  return ResolveComNameAmong(name, {});
#else
  return ResolveComNameAmong(name, SystemPortInfos());
#endif
}

ComPortTarget ResolveComNameAmong(const QString& name, std::span<const SystemPortInfo> ports) {
  const auto number = ComPortNumber(name.toStdString());
  if (!number)
    return {};
#ifdef Q_OS_WIN
  (void)ports;
  return {ComRoute::kSystemPort, name.toStdString()};
#else
  std::vector<std::string> paths;
  for (const SystemPortInfo& port : ports) paths.push_back(port.path);
  return ResolveComPort(*number, DefaultLinkDirectory(), paths);
#endif
}

QString ComPortHint() {
#ifdef Q_OS_WIN
  return QStringLiteral("COM1 to COM9 are the system's COM ports.");
#else
  return QString::fromStdString(DescribeComNames(DefaultLinkDirectory(), SystemSerialPorts()));
#endif
}

}  // namespace vardex
