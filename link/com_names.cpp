#include "com_names.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <tuple>

#include "link_platform.h"

namespace vardex {

std::optional<int> ComPortNumber(std::string_view name) {
  if (name.size() != 4 || name.substr(0, 3) != "COM" || name[3] < '1' || name[3] > '9') {
    return std::nullopt;
  }
  return name[3] - '0';
}

std::string DefaultLinkDirectory() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0')
    return {};
  return std::string(home) + "/.vardex/dosdevices";
}

ComPortTarget ResolveComPort(int number, const std::string& linkDir,
                             const std::vector<std::string>& systemPorts) {
  if (number < 1 || number > 9)
    return {};
  ComPortTarget linked = LookUpLink(linkDir, number);
  if (linked.route != ComRoute::kNoPort)
    return linked;
  const auto index = static_cast<std::size_t>(number - 1);
  if (index >= systemPorts.size())
    return {};
  return {ComRoute::kSystemPort, systemPorts[index]};
}

std::string DescribeComName(int number, const ComPortTarget& target, const std::string& linkDir) {
  std::string text = "COM" + std::to_string(number) + ": ";
  switch (target.route) {
    case ComRoute::kLink:
      return text + target.path + " (link in " + linkDir + ")";
    case ComRoute::kSystemPort:
      return text + target.path + " (system port " + std::to_string(number) + ")";
    case ComRoute::kNoPort:
      return text + "no device";
    case ComRoute::kDanglingLink:
      return text + "linked to " + target.path + ", which is not present";
    case ComRoute::kLinkNotSerial:
      return text + "linked to " + target.path + ", which is not a serial device";
    case ComRoute::kLinkDirectoryRefused:
      return text + "linked to " + target.path + ", not used: others may change " + linkDir;
  }
  return text;
}

std::string DescribeComNames(const std::string& linkDir,
                             const std::vector<std::string>& systemPorts) {
  std::string text;
  for (int number = 1; number <= 9; ++number) {
    if (number > 1)
      text += "\n";
    text += DescribeComName(number, ResolveComPort(number, linkDir, systemPorts), linkDir);
  }
  return text;
}

namespace {

// Splits "/dev/ttyUSB10" into ("/dev/ttyUSB", 10, whole).
std::tuple<std::string, unsigned long, std::string> NaturalKey(const std::string& path) {
  std::size_t digits = path.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(path[digits - 1]))) --digits;
  const std::string number = path.substr(digits);
  return {path.substr(0, digits), number.empty() ? 0 : std::stoul(number.substr(0, 9)), path};
}

}  // namespace

bool NaturallyBefore(const std::string& a, const std::string& b) {
  return NaturalKey(a) < NaturalKey(b);
}

void SortPortsNaturally(std::vector<std::string>& paths) {
  std::sort(paths.begin(), paths.end(), NaturallyBefore);
}

}  // namespace vardex
