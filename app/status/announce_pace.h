#pragma once

#include <chrono>

#include "link_status.h"

namespace vardex {

// When a changed status text is announced to screen readers: a new kind of
// news at once; a change within the kind (the next page) no sooner than
// kGap after the last announcement, so a transfer is not read out page by
// page. The caller announces the latest text when the time comes.
class AnnouncePace {
 public:
  using Clock = LinkStatus::Clock;
  static constexpr std::chrono::milliseconds kGap{500};

  // When a text of `kind` shown at `now` may be announced: `now` or later.
  Clock::time_point Due(LinkStatus::Kind kind, Clock::time_point now) const;
  void Announced(LinkStatus::Kind kind, Clock::time_point now);

 private:
  bool announcedAny_ = false;
  LinkStatus::Kind lastKind_ = LinkStatus::Kind::kNoPort;
  Clock::time_point last_{};
};

}  // namespace vardex
