#include "port_access.h"

#include <QSerialPortInfo>

#include "com_names.h"
#include "com_port_list.h"
#include "port_failure.h"

namespace vardex {

namespace {

std::string DiagnosedText(const std::string& port, const ComPortTarget& target) {
  PortFacts facts;
  facts.knownName = true;  // a COM name, or a path taken as it is
  facts.route = target.route;
  if (target.Opens())
    ProbeFileSystem(target.path, facts);
  return PortFailureText(DiagnosePortFailure(facts),
                         {port, target.path, DefaultLinkDirectory(), ComPortHint().toStdString(),
                          "run the command again"});
}

}  // namespace

std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error) {
  if (!ComPortNumber(port))
    return port;
  const ComPortTarget target = ResolveComName(QString::fromStdString(port));
  if (target.Opens())
    return target.path;
  error = port + ": " + DiagnosedText(port, target);
  return std::nullopt;
}

std::string OpenFailureReason(const std::string& port, const std::string& path) {
  return DiagnosedText(port, {ComRoute::kSystemPort, path});
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
