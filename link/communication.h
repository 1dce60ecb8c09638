#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "serial_port.h"
#include "transfer_engine.h"
#include "transfer_mailbox.h"
#include "transfer_types.h"

namespace vardex {

// A read of up to 128 bytes waits at most 1 ms per byte plus 1 ms.
inline constexpr std::chrono::milliseconds kPollTimeout{129};

// The worker. It owns its port (opened on its own thread, closed when it
// ends) and does all I/O: it loops poll -> feed the engine -> take
// `PendingOperation` from the mailbox, sends the engine's frames on the port
// and passes the engine's events on to the listener. Only one worker may run
// the engine at a time.
class TCommThread final : private TransferOutput {
 public:
  TCommThread(TransferEngine& engine, TransferMailbox& mailbox, LinkListener& listener,
              std::unique_ptr<SerialPort> port,
              std::chrono::milliseconds pollTimeout = kPollTimeout);
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
  bool Terminated() const { return terminated_.load(std::memory_order_acquire); }

 private:
  enum class Phase { kOpening, kOpenFailed, kOpened, kRunAllowed };
  void Body(const std::string& path);
  void Execute();
  void ReadPoll();
  void WaitForWake(std::chrono::steady_clock::time_point deadline);

  void Send(std::span<const std::uint8_t> bytes) override;
  void OnLogLine(std::string_view line) override;
  void OnProgress(const TransferProgress& progress) override;
  void OnImageVerified(const ConfigImage& image) override;
  void OnPortError(std::string_view error) override;

  TransferEngine& engine_;
  TransferMailbox& mailbox_;
  LinkListener& listener_;
  std::unique_ptr<SerialPort> port_;
  const std::chrono::milliseconds pollTimeout_;
  std::array<std::uint8_t, 128> readBuffer_{};
  std::thread thread_;
  bool portFailing_ = false;  // worker thread only

  std::mutex mutex_;
  std::condition_variable changed_;
  Phase phase_ = Phase::kOpening;  // guarded by mutex_
  bool woken_ = false;             // guarded by mutex_
  // The closing flag: set by "Close port", read at the top of every turn.
  std::atomic<bool> terminated_{false};
};

}  // namespace vardex
