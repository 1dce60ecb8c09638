#include "progress_line.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(ProgressLine, BarCountRateAndTimeLeft) {
  struct Case {
    ProgressFigures progress;
    std::string expected;
  };
  const Case cases[] = {
      {{"read", 0, 16, 0.0}, "read [--------------------] 0/16 pages  0%"},
      {{"write", 8, 16, 1.0}, "write [##########----------] 8/16 pages  50%  1.0 kB/s  0:01 left"},
      {{"write", 16, 16, 0.2},
       "write [####################] 16/16 pages  100%  10.2 kB/s  0:00 left"},
      {{"flash", 1, 1856, 0.5},
       "flash [--------------------] 1/1856 pages  0%  256 B/s  15:28 left"},
      {{"flash", 1855, 1856, 20.0},
       "flash [###################-] 1855/1856 pages  99%  11.9 kB/s  0:01 left"},
      // A count beyond the total (a late reply) never overflows the bar.
      {{"read", 17, 16, 1.0}, "read [####################] 16/16 pages  100%  2.0 kB/s  0:00 left"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgressLine(c.progress), c.expected);
}

}  // namespace
}  // namespace vardex
