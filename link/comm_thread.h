#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "serial_port.h"
#include "transfer_engine.h"
#include "worker_thread.h"

namespace vardex {

// A read of up to 128 bytes waits at most 1 ms per byte plus 1 ms.
inline constexpr std::chrono::milliseconds kPollTimeout{129};

// The worker: it owns its port, opens it on its own thread and closes it when
// it ends, and in between loops poll -> parse -> take `PendingOperation` on
// the program's transfer engine. Only one worker may run the engine at a time.
class TCommThread {
 public:
  TCommThread(TransferEngine& engine, std::unique_ptr<SerialPort> port,
              std::unique_ptr<WorkerThread> thread,
              std::chrono::milliseconds poll_timeout = kPollTimeout);
  ~TCommThread();
  TCommThread(const TCommThread&) = delete;
  TCommThread& operator=(const TCommThread&) = delete;

  // Starts the thread, which opens the port; returns whether that worked.
  // After a failure the thread has ended and nothing else may be called but
  // the destructor.
  bool Open(const std::string& path);
  // Lets the opened worker enter its loop.
  void Run();
  // Any thread, never waits: the worker leaves its loop at the next check
  // and closes its port.
  void Terminate();
  // Any thread: a request was posted; the worker looks at it promptly.
  void Wake();
  // Waits until the worker has ended and released its port.
  void Join();
  bool terminated() const { return terminated_.load(std::memory_order_acquire); }

 private:
  enum class Phase { kOpening, kOpenFailed, kOpened, kRunAllowed };
  void Body(const std::string& path);
  void Execute();
  void ReadPoll();
  void WaitForWake(std::chrono::steady_clock::time_point deadline);

  TransferEngine& engine_;
  std::unique_ptr<SerialPort> port_;
  std::unique_ptr<WorkerThread> thread_;
  const std::chrono::milliseconds poll_timeout_;
  std::array<std::uint8_t, 128> read_buffer_{};

  std::mutex mutex_;
  std::condition_variable changed_;
  Phase phase_ = Phase::kOpening;  // guarded by mutex_
  bool woken_ = false;             // guarded by mutex_
  std::atomic<bool> terminated_{false};
};

}  // namespace vardex
