#include "progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vardex {
namespace {

constexpr std::uint32_t kBarWidth = 20;

std::string Rate(double bytesPerSecond) {
  char text[24];
  if (bytesPerSecond < 1000) {
    std::snprintf(text, sizeof text, "%.0f B/s", bytesPerSecond);
  } else {
    std::snprintf(text, sizeof text, "%.1f kB/s", bytesPerSecond / 1000);
  }
  return text;
}

std::string MinutesSeconds(double seconds) {
  const auto whole = static_cast<long>(std::ceil(std::max(0.0, seconds)));
  char text[24];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

std::string ProgressLine(const ProgressFigures& p) {
  const std::uint32_t total = std::max<std::uint32_t>(p.total, 1);
  const std::uint32_t done = std::min(p.done, total);
  const std::uint32_t filled = done * kBarWidth / total;
  std::string line(p.what);
  line += " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "] ";
  line += std::to_string(done) + "/" + std::to_string(total) + " pages  ";
  line += std::to_string(done * 100 / total) + "%";
  if (done == 0 || p.elapsedSeconds <= 0)
    return line;
  const double perPage = p.elapsedSeconds / done;
  line += "  " + Rate(static_cast<double>(done * p.bytesPerPage) / p.elapsedSeconds);
  line += "  " + MinutesSeconds(perPage * (total - done)) + " left";
  return line;
}

}  // namespace vardex
