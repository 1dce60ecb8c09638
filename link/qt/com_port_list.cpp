#include "com_port_list.h"

namespace vardex {

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> paths;
  for (const SystemPortInfo& port : SystemPortInfos()) paths.push_back(port.path);
  return paths;
}

std::optional<int> WindowComNumber(const QString& name) {
  return SystemComNumber(name.toStdString());
}

QStringList ComNamesAboveNine() {
  QStringList names;
  for (const std::string& name : SystemComNamesAboveNine())
    names.append(QString::fromStdString(name));
  return names;
}

ComPortTarget ResolveComName(const QString& name) {
  return ResolveSystemComName(name.toStdString());
}

ComPortTarget ResolveComNameAmong(const QString& name, std::span<const SystemPortInfo> ports) {
  return ResolveSystemComNameAmong(name.toStdString(), ports);
}

QString PortChangeSigns(const QString& target) {
  return QString::fromStdString(SystemPortChangeSigns(target.toStdString()));
}

QString ComPortHint() {
  return QString::fromStdString(SystemComPortHint());
}

}  // namespace vardex
