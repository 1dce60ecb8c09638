#include "config_platform.h"

namespace vardex {

std::tm LocalCalendar(std::time_t moment) {
  std::tm calendar{};
  localtime_s(&calendar, &moment);
  return calendar;
}

std::tm UtcCalendar(std::time_t moment) {
  std::tm calendar{};
  gmtime_s(&calendar, &moment);
  return calendar;
}

}  // namespace vardex
