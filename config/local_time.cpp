#include "local_time.h"

#include <string>

namespace vardex {

PcClock SystemPcClock() {
  const std::time_t now = std::time(nullptr);
  const std::tm utc = UtcCalendar(now);
  return {utc, MinutesAhead(LocalCalendar(now), utc)};
}

void FillClockFromSystemTime(ClockSettings& s, const LocalTimeSource& clock) {
  const std::tm local = clock.Now();
  s.year = std::to_string(local.tm_year + 1900);
  s.month = std::to_string(local.tm_mon + 1);
  s.day = std::to_string(local.tm_mday);
  s.hour = std::to_string(local.tm_hour);
  s.minute = std::to_string(local.tm_min);
}

int MinutesAhead(const std::tm& local, const std::tm& utc) {
  // The two moments lie less than a day apart, across at most one new year.
  int days = local.tm_yday - utc.tm_yday;
  if (local.tm_year != utc.tm_year)
    days = local.tm_year > utc.tm_year ? 1 : -1;
  return days * 24 * 60 + (local.tm_hour - utc.tm_hour) * 60 + (local.tm_min - utc.tm_min);
}

}  // namespace vardex
