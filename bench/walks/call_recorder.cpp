#include "call_recorder.h"

#include <link.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace vardex::walks {
namespace {

// Lives as long as the program; untouched pages cost nothing.
CallEvent g_events[kEventCapacity];
std::atomic<std::size_t> g_next{0};
std::atomic<bool> g_overflowed{false};
std::atomic<bool> g_windowArmed{false};
std::atomic<bool> g_othersArmed{false};
std::atomic<bool> g_stopReached{false};
std::atomic<int> g_writing{0};  // threads between the armed check and their store
std::uint32_t g_windowThread = 0;
const void* g_stopFunction = nullptr;

thread_local std::uint32_t t_thread = 0;

[[gnu::no_instrument_function]] std::uint32_t ThreadId() {
  if (t_thread == 0)
    t_thread = static_cast<std::uint32_t>(::syscall(SYS_gettid));
  return t_thread;
}

[[gnu::no_instrument_function]] void Record(std::uint32_t kind, void* function, void* callSite) {
  if (!g_windowArmed.load(std::memory_order_acquire) &&
      !g_othersArmed.load(std::memory_order_acquire))
    return;
  g_writing.fetch_add(1, std::memory_order_acq_rel);
  const std::uint32_t thread = ThreadId();
  const bool window = thread == g_windowThread;
  if ((window ? g_windowArmed : g_othersArmed).load(std::memory_order_acquire)) {
    const std::size_t index = g_next.fetch_add(1, std::memory_order_relaxed);
    if (index < kEventCapacity) {
      g_events[index] = {thread, kind, reinterpret_cast<std::uint64_t>(function),
                         reinterpret_cast<std::uint64_t>(callSite)};
    } else {
      g_overflowed.store(true, std::memory_order_relaxed);
    }
    if (!window && kind == kEnter && function == g_stopFunction) {
      g_othersArmed.store(false, std::memory_order_release);
      g_stopReached.store(true, std::memory_order_release);
    }
  }
  g_writing.fetch_sub(1, std::memory_order_acq_rel);
}

struct CodeRange {
  std::uint64_t base = 0;
  std::uint64_t begin = ~std::uint64_t{0};
  std::uint64_t end = 0;
};

// The first object dl_iterate_phdr reports is the program itself.
[[gnu::no_instrument_function]] int FirstObject(dl_phdr_info* info, std::size_t, void* data) {
  auto* range = static_cast<CodeRange*>(data);
  range->base = info->dlpi_addr;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = info->dlpi_phdr[i];
    if (header.p_type != PT_LOAD || (header.p_flags & PF_X) == 0)
      continue;
    range->begin = std::min<std::uint64_t>(range->begin, info->dlpi_addr + header.p_vaddr);
    range->end =
        std::max<std::uint64_t>(range->end, info->dlpi_addr + header.p_vaddr + header.p_memsz);
  }
  return 1;
}

}  // namespace

std::uint32_t CurrentThread() {
  return ThreadId();
}

void Arm(std::uint32_t windowThread, const void* stopFunction) {
  Disarm();
  g_windowThread = windowThread;
  g_stopFunction = stopFunction;
  g_next.store(0);
  g_overflowed.store(false);
  g_stopReached.store(false);
  g_othersArmed.store(true, std::memory_order_release);
  g_windowArmed.store(true, std::memory_order_release);
}

void StopWindowThread() {
  g_windowArmed.store(false, std::memory_order_release);
}

bool StopReached() {
  return g_stopReached.load(std::memory_order_acquire);
}

void Disarm() {
  g_windowArmed.store(false, std::memory_order_release);
  g_othersArmed.store(false, std::memory_order_release);
  while (g_writing.load(std::memory_order_acquire) != 0) std::this_thread::yield();
}

std::size_t EventCount() {
  return std::min(g_next.load(), kEventCapacity);
}

bool Overflowed() {
  return g_overflowed.load();
}

// Layout (little-endian): "VWALKS01", load base, code begin, code end, window
// thread, overflowed flag, event count, then the events as CallEvent.
std::string Dump(const std::string& path) {
  CodeRange range;
  dl_iterate_phdr(FirstObject, &range);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    return "cannot create " + path;
  const std::uint64_t count = EventCount();
  const std::uint32_t flags[2] = {g_windowThread, Overflowed() ? 1u : 0u};
  const std::uint64_t addresses[3] = {range.base, range.begin, range.end};
  bool written = std::fwrite("VWALKS01", 1, 8, file) == 8 &&
                 std::fwrite(addresses, sizeof addresses, 1, file) == 1 &&
                 std::fwrite(flags, sizeof flags, 1, file) == 1 &&
                 std::fwrite(&count, sizeof count, 1, file) == 1 &&
                 (count == 0 || std::fwrite(g_events, sizeof(CallEvent), count, file) == count);
  written = std::fclose(file) == 0 && written;
  return written ? std::string() : "cannot write " + path;
}

}  // namespace vardex::walks

// The names the compiler calls.
extern "C" [[gnu::no_instrument_function]] void
__cyg_profile_func_enter(  // NOLINT(bugprone-reserved-identifier)
    void* function, void* callSite) {
  vardex::walks::Record(vardex::walks::kEnter, function, callSite);
}

extern "C" [[gnu::no_instrument_function]] void
__cyg_profile_func_exit(  // NOLINT(bugprone-reserved-identifier)
    void* function, void* callSite) {
  vardex::walks::Record(vardex::walks::kExit, function, callSite);
}
