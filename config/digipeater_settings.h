#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace vardex {

// One row of the New-N path table: texts as typed, the traceable list's index
// (0 "No", 1 "Yes", -1 nothing selected) and the active box.
struct DigipeaterPath {
  std::string name;
  std::string lower = "1";   // "N >="
  std::string higher = "7";  // "N <="
  int traceable = 0;
  bool active = false;
};

inline constexpr std::size_t kDigipeaterPathCount = 8;

// The "Digipeater" page, initialised to the start-up state.
struct DigipeaterSettings {
  bool digipeaterOn = true;
  std::string duplicateChecking = "60";  // seconds
  std::array<DigipeaterPath, kDigipeaterPathCount> paths = {
      DigipeaterPath{"WIDE", "1", "7", 1, true},
      DigipeaterPath{"SP", "1", "7", 0, true},
  };
};

}  // namespace vardex
