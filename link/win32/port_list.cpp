#include "port_list.h"

#include <windows.h>
// after windows.h
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <cstring>

#include "com_device_names.h"
#include "com_names.h"
#include "link_platform.h"
#include "port_failure.h"
#include "system_port_info.h"

namespace vardex {
namespace {

std::string Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1)
    return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.pop_back();  // the terminating zero
  return result;
}

std::string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[512] = {};
  DWORD type = 0;
  if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type,
                                         reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr) ||
      (type != REG_SZ && type != REG_MULTI_SZ)) {
    return {};
  }
  return Narrow(text);  // the first string of a list
}

// The ports class of the device manager, each with the COM name it was given.
std::vector<SystemPortInfo> DeviceManagerPorts() {
  std::vector<SystemPortInfo> ports;
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE)
    return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE)
      continue;
    wchar_t name[64] = {};
    DWORD size = sizeof name - 2;
    DWORD type = 0;
    const bool named = RegQueryValueExW(key, L"PortName", nullptr, &type,
                                        reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS &&
                       type == REG_SZ;
    RegCloseKey(key);
    const auto number = named ? WindowsComNumber(Narrow(name)) : std::nullopt;
    if (!number)
      continue;  // printer ports share the class
    SystemPortInfo& port = ports.emplace_back();
    port.path = "COM" + std::to_string(*number);
    port.description = DeviceProperty(set, device, SPDRP_DEVICEDESC);
    port.maker = DeviceProperty(set, device, SPDRP_MFG);
    port.driver = DeviceProperty(set, device, SPDRP_SERVICE);
    const std::string hardwareId = DeviceProperty(set, device, SPDRP_HARDWAREID);
    port.vendorId = HardwareIdNumber(hardwareId, "VID_");
    port.productId = HardwareIdNumber(hardwareId, "PID_");
    wchar_t instance[512] = {};
    if (SetupDiGetDeviceInstanceIdW(set, &device, instance, 511, nullptr))
      port.serialNumber = InstanceSerialNumber(Narrow(instance));
  }
  SetupDiDestroyDeviceInfoList(set);
  return ports;
}

}  // namespace

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

std::string DosDeviceTarget(const std::string& name) {
  char target[1024];
  const DWORD length = QueryDosDeviceA(name.c_str(), target, sizeof target);
  return length == 0 ? std::string() : std::string(target);
}

// Every COM port the system knows, by its COM name ("COM3") as people count
// them, with what the device manager says about it: description, maker,
// USB ids, serial number and driver (its service) when it has them.
std::vector<SystemPortInfo> SystemPortInfos() {
  std::vector<SystemPortInfo> described = DeviceManagerPorts();
  std::vector<std::string> names = DosDeviceComNames();
  for (const auto& [name, device] : RegisteredComPorts()) names.push_back(name);
  for (const SystemPortInfo& port : described) names.push_back(port.path);
  std::vector<SystemPortInfo> ports;
  for (const std::string& name : OrderComNames(names)) {
    const auto same = std::find_if(described.begin(), described.end(),
                                   [&](const SystemPortInfo& port) { return port.path == name; });
    if (same != described.end()) {
      ports.push_back(*same);
    } else {
      ports.emplace_back().path = name;
    }
  }
  return ports;
}

std::optional<int> SystemComNumber(std::string_view name) {
  const auto number = WindowsComNumber(name);
  if (!number || *number > 0x7FFFFFFF)
    return std::nullopt;
  return static_cast<int>(*number);
}

std::vector<std::string> SystemComNamesAboveNine() {
  std::vector<std::string> names;
  for (const SystemPortInfo& port : SystemPortInfos()) {
    const auto number = SystemComNumber(port.path);
    if (number && *number > 9)
      names.push_back(port.path);
  }
  return names;
}

// COMn, as the system names it; whether it is there shows when it opens.
ComPortTarget ResolveSystemComName(const std::string& name) {
  const auto number = SystemComNumber(name);
  if (!number)
    return {};
  return {ComRoute::kSystemPort, "COM" + std::to_string(*number)};
}

ComPortTarget ResolveSystemComNameAmong(const std::string& name,
                                        std::span<const SystemPortInfo> ports) {
  ComPortTarget target = ResolveSystemComName(name);
  if (target.Opens() && FindSystemPort(ports, target.path) == nullptr)
    target = {ComRoute::kNoPort, {}};
  return target;
}

// The name space's COM names and where each leads: a port that comes or
// goes changes them, and asking is cheap.
std::string SystemPortChangeSigns(const std::string&) {
  std::string signs;
  for (const std::string& name : DosDeviceComNames()) {
    signs += name + "=" + DosDeviceTarget(name) + "|";
  }
  return signs;
}

void ProbePortFailure(const std::string& path, PortFacts& facts) {
  // Windows tells a missing port from a held one only by its name space.
  facts.exists = WindowsComNumber(path) ? !DosDeviceTarget(path).empty() : true;
  facts.accessible = true;
}

std::string SystemComPortHint() {
  std::string hint = "COM1 to COM9 are the system's COM ports.";
  for (const SystemPortInfo& port : SystemPortInfos()) {
    const std::string facts = DescribeSystemPort(port);
    hint += "\n" + port.path + (facts.empty() ? "" : ": " + facts);
  }
  return hint;
}

}  // namespace vardex
