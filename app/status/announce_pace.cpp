#include "announce_pace.h"

namespace vardex {

AnnouncePace::Clock::time_point AnnouncePace::Due(LinkStatus::Kind kind,
                                                  Clock::time_point now) const {
  if (!announcedAny_ || kind != lastKind_ || now - last_ >= kGap)
    return now;
  return last_ + kGap;
}

void AnnouncePace::Announced(LinkStatus::Kind kind, Clock::time_point now) {
  announcedAny_ = true;
  lastKind_ = kind;
  last_ = now;
}

}  // namespace vardex
