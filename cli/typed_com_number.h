#pragma once

#include <optional>
#include <string_view>

namespace vardex {

// "COM1" to "COM9" in either case ("com2" is COM2) give 1 to 9.
inline std::optional<int> TypedComNumber(std::string_view name) {
  const bool com = name.size() == 4 && (name[0] == 'C' || name[0] == 'c') &&
                   (name[1] == 'O' || name[1] == 'o') && (name[2] == 'M' || name[2] == 'm');
  if (!com || name[3] < '1' || name[3] > '9')
    return std::nullopt;
  return name[3] - '0';
}

}  // namespace vardex
