#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "sim_options.h"

namespace vardex::sim {

// What happens to one reply, decided from its running numbers.
struct ReplyFault {
  bool drop = false;
  bool corruptHeader = false;
  bool corruptData = false;
  bool late = false;
};

// Counts replies (and, separately, data replies) and looks their numbers up
// in the fault lists of the command line.
class ReplyFaults {
 public:
  explicit ReplyFaults(const SimOptions& options) : options_(options) {}

  ReplyFault Next(bool carriesData) {
    ++replies_;
    if (carriesData)
      ++dataReplies_;
    ReplyFault f;
    f.drop = Listed(options_.drop, replies_) || Every(options_.dropEvery, replies_) ||
             (options_.silentFrom != 0 && replies_ >= options_.silentFrom);
    f.corruptHeader = Listed(options_.corruptHeader, replies_);
    f.corruptData = carriesData && Listed(options_.corruptData, dataReplies_);
    // A damaged data reply fails its page sum; a damaged ack its check byte.
    if (Every(options_.garbleEvery, replies_)) {
      f.corruptData = f.corruptData || carriesData;
      f.corruptHeader = f.corruptHeader || !carriesData;
    }
    f.late = Listed(options_.late, replies_);
    return f;
  }

  std::uint32_t Replies() const { return replies_; }
  std::uint32_t DataReplies() const { return dataReplies_; }

 private:
  static bool Every(std::uint32_t k, std::uint32_t n) { return k != 0 && n % k == 0; }
  static bool Listed(const std::vector<std::uint32_t>& list, std::uint32_t n) {
    return std::find(list.begin(), list.end(), n) != list.end();
  }

  const SimOptions& options_;
  std::uint32_t replies_ = 0;
  std::uint32_t dataReplies_ = 0;
};

// Noise for between frames. It holds 0xFF bytes, but a 0xFF in it is never
// followed by a reply code (0x41, 0x81, 0x91), so no header can form out of
// it, with or without the reply that follows. The sequence runs on from one
// reply to the next and is the same on every run.
class NoiseSource {
 public:
  void Fill(std::span<std::uint8_t> out) {
    for (std::uint8_t& b : out) {
      state_ = state_ * 1103515245u + 12345u;
      std::uint8_t next = static_cast<std::uint8_t>(state_ >> 16);
      if (++count_ % 4 == 2)
        next = 0xFF;
      if (previous_ == 0xFF && (next == 0x41 || next == 0x81 || next == 0x91))
        next ^= 0x01;
      b = previous_ = next;
    }
  }

 private:
  std::uint32_t state_ = 0x5EED;
  std::uint32_t count_ = 0;
  std::uint8_t previous_ = 0;
};

}  // namespace vardex::sim
