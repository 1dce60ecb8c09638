#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace vardex::testing {

// Waits for `done`, checking every few milliseconds, for at most `limit`:
// the limit only ends a hung test, it asserts nothing about speed.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace vardex::testing
