#include "port_access.h"

#include <cctype>

#include "com_names.h"
#include "com_port_list.h"
#include "json_text.h"
#include "port_failure.h"

namespace vardex {

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
