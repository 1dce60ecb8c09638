#include "local_time.h"

namespace vardex {

std::tm SystemLocalTimeSource::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

PcClock SystemPcClock() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  std::tm local{};
  gmtime_r(&now, &utc);
  localtime_r(&now, &local);
  return {utc, MinutesAhead(local, utc)};
}

}  // namespace vardex
