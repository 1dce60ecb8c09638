#pragma once

#include <ctime>

namespace vardex {

// Everything the configuration library asks of the system it runs on; each
// platform folder (linux/, win32/) answers it in config_platform.cpp.

// `moment` broken down in the PC's time zone, and in UTC.
std::tm LocalCalendar(std::time_t moment);
std::tm UtcCalendar(std::time_t moment);

}  // namespace vardex
