#include "reply_watch.h"

#include <algorithm>

namespace vardex {

bool ReplyWatch::Answered(Time now) {
  if (tries_ <= 1)
    return true;
  // The earlier sendings may still be answered, about one time-out apart.
  BeQuiet(Phase::kQuietThenNext, policy_.replyTimeout + policy_.quiet, now);
  return false;
}

void ReplyWatch::Damaged(Time now) {
  if (phase_ == Phase::kAwaiting)
    LostOrDamaged(Reason::kDamagedReply, now);
}

void ReplyWatch::LostOrDamaged(Reason reason, Time now) {
  if (tries_ >= policy_.tries) {
    phase_ = Phase::kGivenUp;
    return;
  }
  reason_ = reason;
  BeQuiet(Phase::kQuietThenAgain, policy_.quiet, now);
}

void ReplyWatch::BeQuiet(Phase then, std::chrono::milliseconds quiet, Time now) {
  phase_ = then;
  quiet_ = quiet;
  quietUntil_ = now + quiet;
  // A line that never quiets (a device that streams) does not hold the
  // transfer for ever.
  quietLatest_ = quietUntil_ + policy_.replyTimeout;
}

void ReplyWatch::Heard(Time now) {
  if (Discarding())
    quietUntil_ = std::min(now + quiet_, quietLatest_);
}

ReplyWatch::Due ReplyWatch::Check(Time now, bool replyUnderWay) {
  switch (phase_) {
    case Phase::kAwaiting:
      if (now < deadline_)
        return {};
      if (replyUnderWay && !extended_) {
        // Part of a reply has come: give the rest one more time-out.
        deadline_ = now + policy_.replyTimeout;
        extended_ = true;
        return {};
      }
      LostOrDamaged(Reason::kNoReply, now);
      return {};
    case Phase::kQuietThenAgain:
      if (now < quietUntil_)
        return {};
      return {Due::Action::kSendAgain, reason_};
    case Phase::kQuietThenNext:
      if (now < quietUntil_)
        return {};
      return {Due::Action::kSendNext, reason_};
    case Phase::kIdle:
    case Phase::kGivenUp:
      break;
  }
  return {};
}

ReplyWatch::Time ReplyWatch::NextCheck() const {
  switch (phase_) {
    case Phase::kAwaiting:
      return deadline_;
    case Phase::kQuietThenAgain:
    case Phase::kQuietThenNext:
      return quietUntil_;
    case Phase::kIdle:
    case Phase::kGivenUp:
      break;
  }
  return Time::max();
}

}  // namespace vardex
