#pragma once

#include <cstdarg>
#include <cstdio>

namespace vardex::sim {

// Event lines on stderr, printed only with --verbose.
class EventLog {
 public:
  explicit EventLog(bool enabled) : enabled_(enabled) {}

  __attribute__((format(printf, 2, 3))) void Line(const char* format, ...) const {
    if (!enabled_)
      return;
    std::va_list args;
    va_start(args, format);
    std::fputs("vardex-sim: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
  }

 private:
  bool enabled_;
};

}  // namespace vardex::sim
