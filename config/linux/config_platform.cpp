#include "config_platform.h"

namespace vardex {

std::tm LocalCalendar(std::time_t moment) {
  std::tm calendar{};
  localtime_r(&moment, &calendar);
  return calendar;
}

std::tm UtcCalendar(std::time_t moment) {
  std::tm calendar{};
  gmtime_r(&moment, &calendar);
  return calendar;
}

}  // namespace vardex
