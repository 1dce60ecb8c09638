#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vardex {

// One transfer's position for the progress bar.
struct ProgressFigures {
  std::string_view what;  // "read", "write", "flash"
  std::uint32_t done = 0;
  std::uint32_t total = 0;
  double elapsedSeconds = 0;
  std::size_t bytesPerPage = 128;
};

// "write [##########----------]  8/16 pages  50%  1.2 kB/s  0:01 left"
std::string ProgressLine(const ProgressFigures& progress);

}  // namespace vardex
