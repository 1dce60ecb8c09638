#include "com_port_list.h"

#include <QSerialPortInfo>

namespace vardex {

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> paths;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    paths.push_back(info.systemLocation().toStdString());
  }
  SortPortsNaturally(paths);
  return paths;
}

ComPortTarget ResolveComName(const QString& name) {
  const auto number = ComPortNumber(name.toStdString());
  if (!number)
    return {};
#ifdef Q_OS_WIN
  return {ComRoute::kSystemPort, name.toStdString()};
#else
  return ResolveComPort(*number, DefaultLinkDirectory(), SystemSerialPorts());
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
