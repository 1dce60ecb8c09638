#pragma once

#include <ctime>

#include "local_time.h"

namespace vardex::testing {

// A local time that does not move: set in calendar terms, returned the way
// the C library breaks time down (years from 1900, months from 0).
class FixedLocalTime final : public LocalTimeSource {
 public:
  FixedLocalTime(int year, int month, int day, int hour, int minute) {
    time_.tm_year = year - 1900;
    time_.tm_mon = month - 1;
    time_.tm_mday = day;
    time_.tm_hour = hour;
    time_.tm_min = minute;
    time_.tm_sec = 42;
  }
  std::tm Now() const override { return time_; }

 private:
  std::tm time_{};
};

}  // namespace vardex::testing
