#include "local_time.h"

#include <string>

namespace vardex {

void FillClockFromSystemTime(ClockSettings& s, const LocalTimeSource& clock) {
  const std::tm local = clock.Now();
  s.year = std::to_string(local.tm_year + 1900);
  s.month = std::to_string(local.tm_mon + 1);
  s.day = std::to_string(local.tm_mday);
  s.hour = std::to_string(local.tm_hour);
  s.minute = std::to_string(local.tm_min);
}

}  // namespace vardex
