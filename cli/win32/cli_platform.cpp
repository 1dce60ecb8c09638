#include "cli_platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "com_device_names.h"
#include "com_names.h"
#include "json_text.h"
#include "link_platform.h"
#include "port_failure.h"
#include "port_list.h"
#include "serial_port_adapter.h"
#include "system_port_info.h"

namespace vardex {

namespace {

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return args;
}

}  // namespace

// Nothing to keep: the console's modes stay set.
struct ProgramSetup::Held {};

ProgramSetup::ProgramSetup(int&, char**) : args_(Utf8Arguments()) {
  // The same bytes as on Linux: "\n" ends a line, in pipes and files too
  // (JSON and text forms stay byte-identical across the platforms).
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The progress bar clears its line with an escape sequence, which the
  // console takes only in its terminal mode.
  const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode))
    SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  // Messages quote names as UTF-8.
  SetConsoleOutputCP(CP_UTF8);
}

ProgramSetup::~ProgramSetup() = default;

// A port is one of the system's own COM names.
const std::string_view kPortsSummary = "list the system's COM ports";
const std::string_view kPortText =
    "PORT is a COM name such as COM3 or COM12 (see \"vardex ports\"), or a device\n"
    "path such as \\\\.\\COM3. Image files hold the 2048 bytes of the\n"
    "configuration as the device stores them.\n";

// COM names are the system's own on Windows, so "link" is not offered; asked
// for anyway, it says where Windows changes a port's number.
const std::string_view kComLinksElsewhere =
    "link is not offered on Windows, where every COM name is the system's own. To give an "
    "adapter another COM number, open the Device Manager, Ports (COM & LPT), the adapter's "
    "Properties, Port Settings, Advanced..., and choose the COM Port Number there";

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
  const std::vector<SystemPortInfo> described = SystemPortInfos();
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
