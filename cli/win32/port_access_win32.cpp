#include <windows.h>

#include <vector>

#include "com_device_names.h"
#include "port_access.h"

#include "json_text.h"
#include "port_failure.h"
#include "system_com_ports.h"
#include "win32_serial_port.h"

namespace vardex {

std::optional<std::string> ResolvePortArgument(const std::string& port, std::string&) {
  if (const auto number = WindowsComNumber(port))
    return ComDevicePath(*number);
  return port;
}

std::string OpenFailureReason(const std::string& port, const std::string& path) {
  // Windows tells a missing port from a held one only by its name space.
  const std::string prefix = "\\\\.\\";
  const std::string name = path.starts_with(prefix) ? path.substr(prefix.size()) : path;
  PortFacts facts;
  facts.knownName = true;
  facts.route = ComRoute::kSystemPort;
  facts.exists = WindowsComNumber(name)
                     ? !DosDeviceTarget(name).empty()
                     : GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  facts.accessible = true;
  return PortFailureText(DiagnosePortFailure(facts), {port, path, {}, {}, "run the command"});
}

std::string PortListing(bool json) {
  std::string text =
      "COMn opens the system's COMn (as \\\\.\\COMn).\n\nSerial ports of the system:";
  const auto registered = RegisteredComPorts();
  std::vector<std::string> names = DosDeviceComNames();
  for (const auto& [name, device] : registered) names.push_back(name);
  names = OrderComNames(names);
  if (json) {
    std::string list;
    for (const std::string& name : names) {
      std::string device;
      for (const auto& [registeredName, registeredDevice] : registered) {
        if (registeredName == name)
          device = registeredDevice;
      }
      const std::string target = DosDeviceTarget(name);
      list += (list.empty() ? "\n  " : ",\n  ") + std::string("{\"name\": ") + JsonString(name) +
              ", \"device\": " + (device.empty() ? "null" : JsonString(device)) +
              ", \"leads_to\": " + (target.empty() ? "null" : JsonString(target)) + "}";
    }
    return "{\"system_ports\": [" + list + "]}\n";
  }
  // What the device manager says of each: maker, product, USB ids, driver.
  const std::vector<SystemPortInfo> described = SystemComPortInfos();
  if (names.empty())
    text += " none";
  text += "\n";
  for (const std::string& name : names) {
    text += name + "\n";
    for (const auto& [registeredName, device] : registered) {
      if (registeredName == name)
        text += "  device: " + device + "\n";
    }
    const std::string target = DosDeviceTarget(name);
    if (!target.empty())
      text += "  leads to: " + target + "\n";
    if (const SystemPortInfo* port = FindSystemPort(described, name))
      text += SystemPortFactLines(*port);
  }
  return text;
}

}  // namespace vardex
