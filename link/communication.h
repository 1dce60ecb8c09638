#pragma once

// The worker and the two hand-overs between it and the window's thread, in
// the order a request and its answer travel: the TransferMailbox (window ->
// worker), the worker TCommThread, and the ReportQueue (worker -> window).
// They sit together because they are the only code of the link that crosses
// threads: every lock, atomic and condition wait of the link is here and in
// communication.cpp (a port's read waits on its device and on its own
// Interrupt(), nothing else). The worker is the only thing that takes from
// the mailbox and reports into the queue.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "config_image.h"
#include "firmware_buffer.h"
#include "link_session.h"
#include "serial_port.h"
#include "transfer_types.h"

namespace vardex {

// The hand-over from the window to the worker. The window stages a request's
// data, then sets `PendingOperation`; the worker takes the operation with the
// staged data (a copy of the image, a share of the firmware file), so the
// window may post again at any moment without touching what is being
// started. The mutex only guards the staging area during the hand-over.
class TransferMailbox {
 public:
  // Window thread.
  void PostFirmwareUpload(SharedFirmware firmware);
  void PostConfigWrite(const ConfigImage& image);
  void PostConfigRead();

  // Worker thread: takes the pending operation (leaving 0) and returns it as
  // a request whose image stays valid until the next Take(). kNone when
  // nothing was posted, or when `closing` is set: a request posted after
  // "Close port" waits for the next worker instead of going out on a port
  // that is about to close.
  TransferRequest Take(const std::atomic<bool>* closing = nullptr);

  // Window thread: takes back a request no worker has taken yet; returns it
  // (kNone when there was none).
  Operation Drop();

  Operation Pending() const {
    return static_cast<Operation>(pendingOperation_.load(std::memory_order_acquire));
  }

 private:
  struct Staging {
    SharedFirmware firmware;
    ConfigImage image;
  };
  void Post(Operation operation);

  std::mutex stagingMutex_;
  Staging staged_;     // guarded by stagingMutex_
  ConfigImage taken_;  // worker thread only
  // `PendingOperation`: set with release after the staging, taken with acquire.
  std::atomic<std::uint8_t> pendingOperation_{0};
};

// The worker. It owns its port (opened on its own thread, closed when it
// ends) and runs the link session on it: poll, then take `PendingOperation`
// from the mailbox and start it, until told to end. Only one worker may run
// the session at a time.
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

// One report waiting for the window, in a fixed slot: a log line, or an
// outcome whose reason is the text.
struct LinkReport {
  enum class Kind : std::uint8_t { kLogLine, kOutcome };
  static constexpr std::size_t kMaxText = 110;  // log lines are far shorter

  Kind kind = Kind::kLogLine;
  LinkOutcome outcome;     // kOutcome; its reason and image are not kept here
  bool withImage = false;  // the image waits in the queue's own slot
  std::uint8_t length = 0;
  std::array<char, kMaxText> text{};

  std::string_view Text() const { return {text.data(), length}; }
};

// The hand-over from the worker to the window, bounded whatever the device
// sends. The worker's reports wait in a fixed ring; when kBound of them wait,
// the worker waits too (its port is not read meanwhile, so the receive ring
// and the line fill and drop, as a full ring does). Progress is coalesced to
// the latest of each transfer, and a verified image waits in one slot of its
// own. Nothing here allocates after construction.
class ReportQueue final : public LinkListener {
 public:
  static constexpr std::size_t kBound = 1024;
  // Beyond the bound: room for what a worker told to end still reports (one
  // poll's replies at most) while nobody takes reports.
  static constexpr std::size_t kCapacity = 2048;

  // `schedule` runs on the worker thread when reports wait and no delivery
  // is scheduled, under the queue's lock (so it must not call back into the
  // queue); the window's side then takes reports until it calls
  // EndDelivery() and that returns true.
  explicit ReportQueue(std::function<void()> schedule);

  // Worker side.
  void OnLogLine(std::string_view line) override;
  void OnProgress(const TransferProgress& progress) override;
  void OnOutcome(const LinkOutcome& outcome) override;

  // Window side, in the worker's order. False when nothing waits; for an
  // outcome that carries an image `image` receives it (and the report's
  // outcome points at `image`, its reason at the report's text).
  bool Pop(LinkReport& report, ConfigImage& image);
  // The latest progress of `operation`'s transfer not yet taken.
  std::optional<TransferProgress> TakeProgress(Operation operation);
  // True when nothing waits any more: the next report schedules a new
  // delivery. False: more came meanwhile, the caller goes on later.
  bool EndDelivery();

  // Any thread. While cancelled the worker never waits here: a worker told
  // to end must not stay stuck behind a window that is not taking reports.
  void CancelWaits();
  void ResumeWaits();

  // Reports waiting now, and the most that ever waited.
  std::size_t Size() const;
  std::size_t HighWater() const;

 private:
  // Waits for room (unless cancelled); false when the report must be dropped.
  bool WaitForRoom(std::unique_lock<std::mutex>& lock, bool forImage);
  // Null when the report must be dropped.
  LinkReport* Push(std::unique_lock<std::mutex>& lock, LinkReport::Kind kind, std::string_view text,
                   bool withImage);
  void Scheduled(std::unique_lock<std::mutex>& lock);

  const std::function<void()> schedule_;
  mutable std::mutex mutex_;
  std::condition_variable room_;
  std::array<LinkReport, kCapacity> slots_{};                  // guarded by mutex_
  std::size_t head_ = 0;                                       // guarded by mutex_
  std::size_t size_ = 0;                                       // guarded by mutex_
  std::size_t highWater_ = 0;                                  // guarded by mutex_
  ConfigImage image_;                                          // guarded by mutex_
  bool imageWaiting_ = false;                                  // guarded by mutex_
  std::array<std::optional<TransferProgress>, 4> progress_{};  // by Operation; mutex_
  bool scheduled_ = false;                                     // guarded by mutex_
  bool cancelled_ = false;                                     // guarded by mutex_
};

}  // namespace vardex
