#pragma once

#include <string>

namespace vardex {

// The "Radio" page as the user left it: texts as typed, list selection indexes
// (-1 when nothing is selected). Initialised to the start-up state.
struct RadioSettings {
  std::string callsign = "NOCALL";
  std::string ssid = "0";
  std::string txDelay = "250";
  std::string quietTime = "400";
  int pttType = 0;     // "separate output", "2k2 resistor"
  int busyDetect = 0;  // "analog signal level", "digital detect"
  std::string latitude = "5221.60N";
  std::string longitude = "01653.63E";
};

}  // namespace vardex
