#include "com_device_names.h"

#include <cctype>
#include <set>

namespace vardex {

std::optional<unsigned> WindowsComNumber(std::string_view name) {
  if (name.size() < 4 || name.size() > 13)
    return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
      return std::nullopt;
  }
  const std::string_view digits = name.substr(3);
  if (digits.front() == '0')
    return std::nullopt;
  unsigned long long number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9')
      return std::nullopt;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  if (number > 0xFFFFFFFFull)
    return std::nullopt;
  return static_cast<unsigned>(number);
}

std::string ComDevicePath(unsigned number) {
  return "\\\\.\\COM" + std::to_string(number);
}

std::vector<std::string> OrderComNames(const std::vector<std::string>& names) {
  std::set<unsigned> numbers;
  for (const std::string& name : names) {
    if (const auto number = WindowsComNumber(name))
      numbers.insert(*number);
  }
  std::vector<std::string> ordered;
  for (const unsigned number : numbers) ordered.push_back("COM" + std::to_string(number));
  return ordered;
}

std::optional<std::uint16_t> HardwareIdNumber(std::string_view hardwareId, std::string_view key) {
  const std::size_t at = hardwareId.find(key);
  if (at == std::string_view::npos || at + key.size() + 4 > hardwareId.size())
    return std::nullopt;
  unsigned value = 0;
  for (const char c : hardwareId.substr(at + key.size(), 4)) {
    if (!std::isxdigit(static_cast<unsigned char>(c)))
      return std::nullopt;
    const int digit = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<std::uint16_t>(value);
}

std::string InstanceSerialNumber(std::string_view instanceId) {
  if (!instanceId.starts_with("USB\\"))
    return {};
  const std::size_t last = instanceId.rfind('\\');
  const std::string_view tail = instanceId.substr(last + 1);
  if (last < 4 || tail.empty() || tail.find('&') != std::string_view::npos)
    return {};
  return std::string(tail);
}

}  // namespace vardex
