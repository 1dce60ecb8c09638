#include "local_time.h"

namespace vardex {

std::tm SystemLocalTimeSource::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local;
}

}  // namespace vardex
