#pragma once

// The worker: it takes the window's requests from the TransferMailbox and
// reports through its LinkListener (the window's ReportQueue). With those two
// hand-overs it is the only code of the link that crosses threads; its locks
// and waits are here.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link_session.h"
#include "serial_port.h"
#include "transfer_mailbox.h"
#include "transfer_types.h"

namespace vardex {

// It owns its port (opened on its own thread, closed when it ends) and runs
// the link session on it: poll, then take `PendingOperation` from the
// mailbox and start it, until told to end. Only one worker may run the
// session at a time.
class TCommThread final : private PollPause {
 public:
  TCommThread(LinkSession& session, TransferMailbox& mailbox, LinkListener& listener,
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
  // A wake ends the wait early.
  void WaitUntil(std::chrono::steady_clock::time_point deadline) override;

  LinkSession& session_;
  TransferMailbox& mailbox_;
  LinkListener& listener_;
  std::unique_ptr<SerialPort> port_;
  const std::chrono::milliseconds pollTimeout_;
  std::thread thread_;

  std::mutex mutex_;
  std::condition_variable changed_;
  Phase phase_ = Phase::kOpening;  // guarded by mutex_
  bool woken_ = false;             // guarded by mutex_
  // The closing flag: set by "Close port", read at the top of every turn.
  std::atomic<bool> terminated_{false};
};

}  // namespace vardex
