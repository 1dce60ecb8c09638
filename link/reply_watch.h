#pragma once

#include <chrono>
#include <cstdint>

#include "transfer_types.h"

namespace vardex {

// Watches the reply to the page a transfer sent last and says when to ask
// the device again: when no reply has begun within the reply time-out, or
// at once when the reply arrived damaged, up to the policy's tries per page.
// Before any second sending the line must have been quiet for a moment, and
// whatever arrives in that moment is discarded: acknowledgements carry no
// page, so a late answer to the first sending would otherwise be counted as
// the answer to the next page. For the same reason a page that was sent more
// than once waits, once it is answered, for the line to stay quiet before the
// next page goes: a second answer to it may still be on its way.
//
// No clock of its own: every call brings `now`, so tests step time by hand.
class ReplyWatch {
 public:
  using Time = std::chrono::steady_clock::time_point;

  enum class Reason : std::uint8_t { kNoReply, kDamagedReply };
  // What falls due; the engine carries it out.
  struct Due {
    enum class Action : std::uint8_t { kNothing, kSendAgain, kSendNext };
    Action action = Action::kNothing;
    Reason reason = Reason::kNoReply;  // kSendAgain: why
  };

  explicit ReplyWatch(RetryPolicy policy) : policy_(policy) {}

  // `operation` started: its first page went out at `now`.
  void Begin(Operation operation, Time now) {
    operation_ = operation;
    askedAgain_ = 0;
    Sent(now);
  }
  // The watched transfer sent its next page for the first time.
  void Sent(Time now) { Await(1, now); }
  // The watched transfer's awaited page was sent again (after kSendAgain).
  void SentAgain(Time now) {
    ++askedAgain_;
    Await(tries_ + 1, now);
  }
  // The watched transfer ended, or nothing is watched any more.
  void End() { phase_ = Phase::kIdle; }

  bool Watches(Operation operation) const {
    return phase_ != Phase::kIdle && operation == operation_;
  }
  // The transfer watched; kNone when nothing is.
  Operation Watched() const { return phase_ == Phase::kIdle ? Operation::kNone : operation_; }
  // The awaited reply came. True when the next page may go now; false when
  // it must wait for a quiet line (a kSendNext falls due then).
  bool Answered(Time now);
  // The awaited reply arrived damaged: asked again once the line is quiet,
  // unless the page's tries are used up.
  void Damaged(Time now);

  // While true, what arrives is to be discarded unread.
  bool Discarding() const {
    return phase_ == Phase::kQuietThenAgain || phase_ == Phase::kQuietThenNext;
  }
  // Bytes arrived at `now` while discarding: the quiet starts again.
  void Heard(Time now);

  // What falls due at `now`, with every byte that arrived by then already
  // handed over. `replyUnderWay`: part of a reply has arrived, the rest may
  // still come.
  Due Check(Time now, bool replyUnderWay);
  // When Check() may next have something to do; Time::max() for never.
  Time NextCheck() const;

  std::uint32_t Attempt() const { return tries_; }
  std::uint32_t Attempts() const { return policy_.tries; }
  std::uint32_t AskedAgain() const { return askedAgain_; }

 private:
  enum class Phase : std::uint8_t {
    kIdle,            // nothing watched
    kAwaiting,        // the reply to the page sent is awaited
    kQuietThenAgain,  // the page goes again once the line is quiet
    kQuietThenNext,   // answered after a retry: the next page waits for quiet
    kGivenUp,         // tries used up: only a reply moves the transfer now
  };
  void Await(std::uint32_t tries, Time now) {
    tries_ = tries;
    phase_ = Phase::kAwaiting;
    deadline_ = now + policy_.replyTimeout;
    extended_ = false;
  }
  void BeQuiet(Phase then, std::chrono::milliseconds quiet, Time now);
  void LostOrDamaged(Reason reason, Time now);

  const RetryPolicy policy_;
  Phase phase_ = Phase::kIdle;
  Operation operation_ = Operation::kNone;
  std::uint32_t tries_ = 1;       // sendings of the awaited page so far
  std::uint32_t askedAgain_ = 0;  // pages sent again in this transfer
  Reason reason_ = Reason::kNoReply;
  Time deadline_{};                    // kAwaiting: the reply is overdue at
  bool extended_ = false;              // kAwaiting: the deadline was moved for a reply under way
  std::chrono::milliseconds quiet_{};  // quiet phases: how long the line must rest
  Time quietUntil_{};                  // quiet phases: due when nothing arrives until then
  Time quietLatest_{};                 // quiet phases: due then even if the line never quiets
};

}  // namespace vardex
