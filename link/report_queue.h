#pragma once

// The hand-over from the worker to the window. With the TransferMailbox and
// the worker (comm_thread) it is the only code of the link that crosses
// threads; its lock and wait are here.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

#include "transfer_types.h"

namespace vardex {

// One report waiting for the window, in a fixed slot: a log line, or an
// outcome whose reason is the text and which carries a read's image, shared.
struct LinkReport {
  enum class Kind : std::uint8_t { kLogLine, kOutcome };
  static constexpr std::size_t kMaxText = 110;  // log lines are far shorter

  Kind kind = Kind::kLogLine;
  LinkOutcome outcome;  // kOutcome; its reason is the text below
  std::uint8_t length = 0;
  std::array<char, kMaxText> text{};

  std::string_view Text() const { return {text.data(), length}; }
};

// The hand-over from the worker to the window, bounded whatever the device
// sends. The worker's reports wait in a fixed ring; when kBound of them wait,
// the worker waits too (its port is not read meanwhile, so the receive ring
// and the line fill and drop, as a full ring does). Progress is coalesced to
// the latest of each transfer, and a read's image waits in its outcome's slot
// as the share the engine made. Nothing here allocates after construction.
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

  // Window side, in the worker's order. False when nothing waits. The
  // report's outcome takes the image's share with it, and its reason points
  // at the report's text.
  bool Pop(LinkReport& report);
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
  bool WaitForRoom(std::unique_lock<std::mutex>& lock);
  // Null when the report must be dropped.
  LinkReport* Push(std::unique_lock<std::mutex>& lock, LinkReport::Kind kind,
                   std::string_view text);
  void Scheduled(std::unique_lock<std::mutex>& lock);

  const std::function<void()> schedule_;
  mutable std::mutex mutex_;
  std::condition_variable room_;
  std::array<LinkReport, kCapacity> slots_{};                  // guarded by mutex_
  std::size_t head_ = 0;                                       // guarded by mutex_
  std::size_t size_ = 0;                                       // guarded by mutex_
  std::size_t highWater_ = 0;                                  // guarded by mutex_
  std::array<std::optional<TransferProgress>, 4> progress_{};  // by Operation; mutex_
  bool scheduled_ = false;                                     // guarded by mutex_
  bool cancelled_ = false;                                     // guarded by mutex_
};

}  // namespace vardex
