#pragma once

#include <string>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

// The "RTC/NTP time" page. The date and time boxes are refilled from the PC's
// clock at start and before every write while `uploadPcTime` is set, so their
// initial texts here are placeholders that are never shown.
struct ClockSettings {
  bool uploadPcTime = true;
  std::string year = "2011";
  std::string month = "2";
  std::string day = "17";
  std::string hour = "22";
  std::string minute = "00";
  bool useNtp = true;
  std::string ntpServer = "pool.ntp.org";
};

// Stores the five clock set values (not range-checked: the device takes them
// as given), then the NTP switch and server.
StepResult EncodeClockSettings(const ClockSettings& settings, ConfigImage& image);
// Restores only the NTP switch and server: the device does not give back the
// clock set values, and the upload option is the PC's own choice.
void DecodeClockSettings(const ConfigImage& image, ClockSettings& settings);

}  // namespace vardex
