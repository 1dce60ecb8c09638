#pragma once

#include <ctime>

#include "clock_settings.h"
#include "config_platform.h"

namespace vardex {

// Where the PC's local time comes from; tests give a fixed time instead.
class LocalTimeSource {
 public:
  virtual ~LocalTimeSource() = default;
  // The current calendar time broken down in the PC's time zone (std::tm
  // counts years from 1900 and months from 0).
  virtual std::tm Now() const = 0;
};

// The PC's own clock and time zone.
class SystemLocalTimeSource final : public LocalTimeSource {
 public:
  std::tm Now() const override { return LocalCalendar(std::time(nullptr)); }
};

// 2000-01-01 00:00, broken down.
inline std::tm NewYear2000() {
  std::tm time{};
  time.tm_mday = 1;
  time.tm_year = 100;
  return time;
}

// The PC's clock as the beacons see it: the time in UTC that "<date>"
// takes, and how far the PC's local time (which the device's clock is set
// from) runs ahead of UTC. The default is a PC on UTC at 2000-01-01 00:00.
struct PcClock {
  std::tm utc = NewYear2000();
  int minutesAheadOfUtc = 0;
};

// The PC's own clock and time zone, now.
PcClock SystemPcClock();

// How many minutes `local` runs ahead of `utc`, both broken down from the
// same moment (negative west of Greenwich).
int MinutesAhead(const std::tm& local, const std::tm& utc);

// Puts the local time into the date and time texts: full year, month from 1,
// day, hour (0 to 23) and minute, without leading zeros.
void FillClockFromSystemTime(ClockSettings& settings, const LocalTimeSource& clock);

}  // namespace vardex
