#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Records the function entries and exits that -finstrument-functions reports
// while armed, into one array allocated once. The recorder itself is compiled
// without the flag.
namespace vardex::walks {

struct CallEvent {
  std::uint32_t thread;  // the kernel's thread id
  std::uint32_t kind;    // kEnter or kExit
  std::uint64_t function;
  std::uint64_t callSite;
};
constexpr std::uint32_t kEnter = 0;
constexpr std::uint32_t kExit = 1;

// Room for 4M events (96 MiB); a walk that needs more is reported as cut.
constexpr std::size_t kEventCapacity = std::size_t{1} << 22;

// The calling thread's id, as the events name it.
std::uint32_t CurrentThread();

// Empties the record and starts recording. The window thread records until
// StopWindowThread(); the other threads until one of them enters
// `stopFunction` (that entry is the last event they record), or, without a
// stop function, until Disarm().
void Arm(std::uint32_t windowThread, const void* stopFunction);
void StopWindowThread();
bool StopReached();
// Stops recording and waits until no thread is still writing an event.
void Disarm();

std::size_t EventCount();
bool Overflowed();

// Writes the events, with the program's load base and the range of its
// mapped code, so that addresses can be symbolized. Empty when it worked,
// else what went wrong.
std::string Dump(const std::string& path);

}  // namespace vardex::walks
