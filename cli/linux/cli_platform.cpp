#include "cli_platform.h"

#include <QCoreApplication>
#include <cctype>

#include "com_names.h"
#include "com_port_list.h"
#include "json_text.h"
#include "link_platform.h"
#include "port_failure.h"
#include "serial_port.h"
#include "system_port_info.h"
#include "typed_com_number.h"

namespace vardex {

// Qt's application, which QSerialPort works in.
struct ProgramSetup::Held {
  Held(int& argc, char** argv) : app(argc, argv) {}
  QCoreApplication app;
};

ProgramSetup::ProgramSetup(int& argc, char** argv)
    : held_(std::make_unique<Held>(argc, argv)), args_(argv + 1, argv + argc) {
  QCoreApplication::setApplicationName(QStringLiteral("vardex"));
}

ProgramSetup::~ProgramSetup() = default;

// A port is a COM name resolved as in the window, or a device path.
const std::string_view kPortsSummary = "list COM1 to COM9 and the system's serial ports";
const std::string_view kPortText =
    "PORT is COM1 to COM9, resolved as in the window (see \"vardex ports\"), or a\n"
    "device path such as /dev/ttyUSB0. Image files hold the 2048 bytes of the\n"
    "configuration as the device stores them.\n";

// Empty: COM names are this program's own, so "link" is offered.
const std::string_view kComLinksElsewhere{};

namespace {

std::string DiagnosedText(const std::string& port, const ComPortTarget& target) {
  PortFacts facts;
  facts.knownName = true;  // a COM name, or a path taken as it is
  facts.route = target.route;
  if (target.Opens())
    ProbeFileSystem(target.path, facts);
  return PortFailureText(
      DiagnosePortFailure(facts),
      {port, target.path, DefaultLinkDirectory(), ComPortHint().toStdString(), "run the command"});
}

// "COM" in either case followed by digits: meant as a COM name, never as a
// file of that name in the current folder.
bool LooksLikeComName(std::string_view text) {
  if (text.size() < 4)
    return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i])
      return false;
  }
  return text.find_first_not_of("0123456789", 3) == std::string_view::npos;
}

}  // namespace

std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error) {
  if (!LooksLikeComName(port))
    return port;
  const std::optional<int> number = TypedComNumber(port);
  if (!number) {
    error = port + ": " + port +
            " is not a COM name vardex can open: give COM1 to COM9 (\"vardex ports\" says where "
            "each leads) or a device path such as /dev/ttyUSB0.";
    return std::nullopt;
  }
  const std::string name = "COM" + std::to_string(*number);
  const ComPortTarget target = ResolveComName(QString::fromStdString(name));
  if (target.Opens())
    return target.path;
  error = port + ": " + DiagnosedText(name, target);
  return std::nullopt;
}

std::string OpenFailureReason(const std::string& port, const std::string& path) {
  return DiagnosedText(port, {ComRoute::kSystemPort, path});
}

namespace {

// What the system says about a port, one indented "name: value" line each.
std::string JsonOrNull(const std::string& value) {
  return value.empty() ? "null" : JsonString(value);
}

std::string PortJson(const SystemPortInfo& port) {
  return "{\"path\": " + JsonString(port.path) +
         ", \"description\": " + JsonOrNull(port.description) +
         ", \"maker\": " + JsonOrNull(port.maker) + ", \"usb_id\": " + JsonOrNull(UsbIdText(port)) +
         ", \"serial_number\": " + JsonOrNull(port.serialNumber) +
         ", \"by_id\": " + JsonOrNull(port.byIdName) + "}";
}

const char* RouteName(ComRoute route) {
  switch (route) {
    case ComRoute::kLink:
      return "link";
    case ComRoute::kSystemPort:
      return "system_port";
    case ComRoute::kNoPort:
      return "no_port";
    case ComRoute::kDanglingLink:
      return "dangling_link";
    case ComRoute::kLinkNotSerial:
      return "link_not_serial";
    case ComRoute::kLinkDirectoryRefused:
      return "link_folder_refused";
  }
  return "";
}

}  // namespace

std::string PortListing(bool json) {
  const std::vector<SystemPortInfo> ports = SystemPortInfos();
  const std::string linkDir = DefaultLinkDirectory();
  std::string text;
  std::string names;
  for (int number = 1; number <= 9; ++number) {
    const std::string name = "COM" + std::to_string(number);
    const ComPortTarget target = ResolveComNameAmong(QString::fromStdString(name), ports);
    const std::string line = DescribeComName(number, target, linkDir);
    const SystemPortInfo* port = target.Opens() ? FindSystemPort(ports, target.path) : nullptr;
    text += line + "\n" + (port != nullptr ? SystemPortFactLines(*port) : std::string());
    names += std::string(number == 1 ? "\n  " : ",\n  ") + "{\"name\": " + JsonString(name) +
             ", \"route\": \"" + RouteName(target.route) +
             "\", \"path\": " + JsonOrNull(target.path) +
             ", \"leads_to\": " + JsonString(DescribeComChoice(name, target, ports, linkDir)) +
             ", \"port\": " + (port != nullptr ? PortJson(*port) : "null") + "}";
  }
  if (json) {
    std::string list;
    for (const SystemPortInfo& port : ports)
      list += (list.empty() ? "\n  " : ",\n  ") + PortJson(port);
    return "{\"com_names\": [" + names + "],\n \"system_ports\": [" + list + "]}\n";
  }
  text += "\nSerial ports of the system:";
  if (ports.empty())
    text += " none";
  text += "\n";
  for (const SystemPortInfo& port : ports) text += port.path + "\n" + SystemPortFactLines(port);
  return text;
}

}  // namespace vardex
