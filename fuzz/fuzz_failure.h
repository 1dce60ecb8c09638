#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace vardex {

// A broken invariant ends the run so that libFuzzer keeps the input.
[[noreturn]] inline void FuzzFailure(const char* where, const std::string& what) {
  std::fprintf(stderr, "invariant broken (%s): %s\n", where, what.c_str());
  std::abort();
}

inline void ExpectNone(const std::optional<std::string>& violation, const char* where) {
  if (violation)
    FuzzFailure(where, *violation);
}

}  // namespace vardex
