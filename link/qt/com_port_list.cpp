#include "com_port_list.h"

#include <QSerialPortInfo>
#include <QStringList>

namespace vardex {

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> paths;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    paths.push_back(info.systemLocation().toStdString());
  }
  SortPortsNaturally(paths);
  return paths;
}

std::optional<ComPortTarget> ResolveComName(const QString& name) {
  const auto number = ComPortNumber(name.toStdString());
  if (!number)
    return std::nullopt;
#ifdef Q_OS_WIN
  return ComPortTarget{name.toStdString(), false};
#else
  return ResolveComPort(*number, DefaultLinkDirectory(), SystemSerialPorts());
#endif
}

QString ComPortHint() {
  QStringList lines;
#ifdef Q_OS_WIN
  lines << QStringLiteral("COM1 to COM9 are the system's COM ports.");
#else
  const std::string linkDir = DefaultLinkDirectory();
  const std::vector<std::string> systemPorts = SystemSerialPorts();
  for (int number = 1; number <= 9; ++number) {
    const auto target = ResolveComPort(number, linkDir, systemPorts);
    QString line = QStringLiteral("COM%1: ").arg(number);
    if (!target) {
      line += QStringLiteral("no device");
    } else {
      line += QString::fromStdString(target->path);
      line += target->fromLink
                  ? QStringLiteral(" (link in %1)").arg(QString::fromStdString(linkDir))
                  : QStringLiteral(" (system port %1)").arg(number);
    }
    lines << line;
  }
#endif
  return lines.join(QLatin1Char('\n'));
}

}  // namespace vardex
