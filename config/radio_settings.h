#pragma once

#include <string>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

// The "Radio" page as the user left it: texts as typed, list selection indexes
// (-1 when nothing is selected). Initialised to the start-up state.
struct RadioSettings {
  std::string callsign = "NOCALL";      // Edit1
  std::string ssid = "0";               // Edit44
  std::string txDelay = "250";          // Edit2
  std::string quietTime = "400";        // Edit3
  int pttType = 0;                      // ComboBox19: "separate output", "2k2 resistor"
  int busyDetect = 0;                   // ComboBox20: "analog signal level", "digital detect"
  std::string latitude = "5221.60N";    // Edit4
  std::string longitude = "01653.63E";  // Edit5
};

StepResult EncodeRadioSettings(const RadioSettings& settings, ConfigImage& image);
void DecodeRadioSettings(const ConfigImage& image, RadioSettings& settings);

}  // namespace vardex
