#pragma once

#include <ctime>

#include "clock_settings.h"

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
  std::tm Now() const override;
};

// Puts the local time into the date and time texts: full year, month from 1,
// day, hour (0 to 23) and minute, without leading zeros.
void FillClockFromSystemTime(ClockSettings& settings, const LocalTimeSource& clock);

}  // namespace vardex
