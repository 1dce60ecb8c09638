#include "local_time.h"

namespace vardex {

std::tm SystemLocalTimeSource::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local;
}

PcClock SystemPcClock() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  std::tm local{};
  gmtime_s(&utc, &now);
  localtime_s(&local, &now);
  return {utc, MinutesAhead(local, utc)};
}

}  // namespace vardex
