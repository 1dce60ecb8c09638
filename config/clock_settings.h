#pragma once

#include <string>

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

}  // namespace vardex
