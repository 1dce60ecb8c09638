#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "device_memory.h"
#include "event_log.h"
#include "serial_line.h"
#include "sim_options.h"
#include "stop_signal.h"

namespace vardex::sim {

// Valid reply frames that the device streams unasked, at a byte rate of its
// own: a USB CDC device ignores the baud setting. The flood shares the serving
// loop with the requests and never waits there, so requests are still read
// and answered; it writes whole frames only, and a reply goes out between two
// flood frames, never inside one. Everything it holds is one fixed buffer.
class Flood {
 public:
  Flood(const SimOptions& options, const DeviceMemory& memory, SerialLine& line,
        const EventLog& log);

  // Starts the flood once `replies` replies (sent or dropped) have gone by
  // and it is the flood's turn; it runs only once.
  void NoteReplies(std::uint32_t replies, Clock::time_point now);
  // Writes what has fallen due by `now` and what the pty would not take
  // before, without waiting.
  void Pump(Clock::time_point now);
  // Completes a flood frame that a full pty cut short, so that the next reply
  // starts on a frame boundary. False when the pty stayed full.
  bool FinishFrame();

  // When Pump has work again; time_point::max() when the flood is over or
  // has not started.
  Clock::time_point NextDue(Clock::time_point now) const;
  // True while flood bytes wait for room in the pty.
  bool Stalled() const { return head_ < tail_; }

 private:
  void Start(Clock::time_point now);
  void PutFrame(std::uint8_t* out);

  // Bytes written in one turn at most; a backlog beyond it (after a long
  // reply delay, say) is dropped rather than sent in one burst.
  static constexpr std::size_t kBurst = 4096;

  const SimOptions& options_;
  const DeviceMemory& memory_;
  SerialLine& line_;
  const EventLog& log_;
  std::size_t frameSize_;
  bool started_ = false;
  bool running_ = false;  // new frames still fall due
  Clock::time_point start_{};
  Clock::time_point end_ = Clock::time_point::max();
  std::uint64_t scheduled_ = 0;  // bytes accounted for since the start
  std::uint16_t page_ = 0;       // next page of a data flood
  std::array<std::uint8_t, kBurst> buffer_{};
  std::size_t head_ = 0;  // buffer_[head_, tail_) waits for room in the pty
  std::size_t tail_ = 0;
};

}  // namespace vardex::sim
