#include <windows.h>

#include <cstring>
#include <vector>

#include "com_device_names.h"
#include "port_access.h"

#include "json_text.h"
#include "port_failure.h"
#include "win32_serial_port.h"

namespace vardex {
namespace {

// The COM names in the registry's map of serial devices, with the driver's
// device name for each ("\Device\Serial0", "\Device\VCP0").
std::vector<std::pair<std::string, std::string>> RegisteredComPorts() {
  std::vector<std::pair<std::string, std::string>> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return ports;
  }
  for (DWORD index = 0;; ++index) {
    char device[256];
    BYTE name[64];
    DWORD deviceLength = sizeof device;
    DWORD nameSize = sizeof name - 1;
    DWORD type = 0;
    const LONG status =
        RegEnumValueA(key, index, device, &deviceLength, nullptr, &type, name, &nameSize);
    if (status == ERROR_NO_MORE_ITEMS)
      break;
    if (status != ERROR_SUCCESS || type != REG_SZ)
      continue;
    name[nameSize] = 0;
    ports.emplace_back(reinterpret_cast<const char*>(name), std::string(device, deviceLength));
  }
  RegCloseKey(key);
  return ports;
}

// Every COMn the system's name space holds, registered or not (some
// virtual ports are only there).
std::vector<std::string> DosDeviceComNames() {
  std::vector<std::string> names;
  std::vector<char> all(1 << 16);
  DWORD length = QueryDosDeviceA(nullptr, all.data(), static_cast<DWORD>(all.size()));
  if (length == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    all.resize(1 << 20);
    length = QueryDosDeviceA(nullptr, all.data(), static_cast<DWORD>(all.size()));
  }
  for (const char* name = all.data(); name < all.data() + length && *name != '\0';
       name += std::strlen(name) + 1) {
    if (WindowsComNumber(name))
      names.emplace_back(name);
  }
  return names;
}

// What the name space says COMn leads to, or empty.
std::string DosDeviceTarget(const std::string& name) {
  char target[1024];
  const DWORD length = QueryDosDeviceA(name.c_str(), target, sizeof target);
  return length == 0 ? std::string() : std::string(target);
}

}  // namespace

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
                     : GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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
  }
  return text;
}

}  // namespace vardex
