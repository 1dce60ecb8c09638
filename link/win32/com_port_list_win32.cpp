// The window's view of the serial ports on Windows: COMn is the system's
// COMn, and what the system says about a port comes from its device manager.
#include "com_device_names.h"
#include "com_port_list.h"
#include "system_com_ports.h"

namespace vardex {

std::vector<SystemPortInfo> SystemPortInfos() {
  return SystemComPortInfos();
}

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> paths;
  for (const SystemPortInfo& port : SystemPortInfos()) paths.push_back(port.path);
  return paths;
}

std::optional<int> WindowComNumber(const QString& name) {
  const auto number = WindowsComNumber(name.toStdString());
  if (!number || *number > 0x7FFFFFFF)
    return std::nullopt;
  return static_cast<int>(*number);
}

QStringList ComNamesAboveNine() {
  QStringList names;
  for (const SystemPortInfo& port : SystemPortInfos()) {
    const auto number = WindowComNumber(QString::fromStdString(port.path));
    if (number && *number > 9)
      names.append(QString::fromStdString(port.path));
  }
  return names;
}

// COMn, as the system names it; whether it is there shows when it opens.
ComPortTarget ResolveComName(const QString& name) {
  const auto number = WindowComNumber(name);
  if (!number)
    return {};
  return {ComRoute::kSystemPort, "COM" + std::to_string(*number)};
}

ComPortTarget ResolveComNameAmong(const QString& name, std::span<const SystemPortInfo> ports) {
  ComPortTarget target = ResolveComName(name);
  if (target.Opens() && FindSystemPort(ports, target.path) == nullptr)
    target = {ComRoute::kNoPort, {}};
  return target;
}

// The name space's COM names and where each leads: a port that comes or
// goes changes them, and asking is cheap.
QString PortChangeSigns(const QString&) {
  QString signs;
  for (const std::string& name : DosDeviceComNames()) {
    signs += QString::fromStdString(name + "=" + DosDeviceTarget(name) + "|");
  }
  return signs;
}

void ProbePortFailure(const std::string& path, PortFacts& facts) {
  // Windows tells a missing port from a held one only by its name space.
  facts.exists = WindowsComNumber(path) ? !DosDeviceTarget(path).empty() : true;
  facts.accessible = true;
}

QString ComPortHint() {
  QString hint = QStringLiteral("COM1 to COM9 are the system's COM ports.");
  for (const SystemPortInfo& port : SystemPortInfos()) {
    const std::string facts = DescribeSystemPort(port);
    hint += QString::fromStdString("\n" + port.path + (facts.empty() ? "" : ": " + facts));
  }
  return hint;
}

}  // namespace vardex
