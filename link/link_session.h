#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>

#include "serial_port.h"
#include "transfer_engine.h"
#include "transfer_types.h"

namespace vardex {

// A transfer that has heard nothing for this long is reported as getting no
// reply: the window shows its notice, `vardex` ends by default.
inline constexpr std::chrono::seconds kNoReplyTimeout{3};
// A read of up to 128 bytes waits at most 1 ms per byte plus 1 ms.
inline constexpr std::chrono::milliseconds kPollTimeout{129};

// How a driver waits out a poll whose read failed at once (an unplugged
// adapter), so that no loop spins; a driver that can be woken ends it early.
class PollPause {
 public:
  virtual void WaitUntil(std::chrono::steady_clock::time_point deadline) = 0;

 protected:
  ~PollPause() = default;
};

// The one driver of the link: it owns the transfer engine, reads the port a
// poll at a time, feeds the engine, sends its frames, and turns what happens
// into outcomes (finished, read checksum failed, no reply, port failed).
// The window's worker runs it on its thread; `vardex` runs it inline. It
// gives the engine its clock, so that a lost reply is asked for again; a
// device silent beyond that gets one no-reply outcome per silence and the
// transfer goes on waiting; the caller decides what ends.
class LinkSession final : private TransferOutput {
 public:
  using Clock = std::chrono::steady_clock;
  using NowFunction = std::function<Clock::time_point()>;

  explicit LinkSession(std::chrono::milliseconds noReply = kNoReplyTimeout,
                       RetryPolicy retries = {});

  // Tests give a clock of their own; called on the driving thread.
  void SetClock(NowFunction now) { now_ = std::move(now); }
  // The port and the listener of the next polls and starts.
  void Attach(SerialPort& port, LinkListener& listener);
  // Starts the request (keeping a share of what it sends) and sends its
  // first frame.
  void Start(const TransferRequest& request);
  // One poll: waits up to `timeout` for bytes (less when the engine must ask
  // again sooner) and lets the engine act on them.
  void Poll(std::chrono::milliseconds timeout, PollPause& pause);

  const ConfigImage& ReceivedImage() const { return engine_.ReceivedImage(); }

 private:
  void Send(std::span<const std::uint8_t> bytes) override;
  void OnLogLine(std::string_view line) override;
  void OnProgress(const TransferProgress& progress) override;
  void OnOutcome(const LinkOutcome& outcome) override;
  void WatchSilence(Clock::time_point now);

  const std::chrono::milliseconds noReply_;
  NowFunction now_ = [] { return Clock::now(); };
  TransferEngine engine_;
  SerialPort* port_ = nullptr;
  LinkListener* listener_ = nullptr;
  std::array<std::uint8_t, 128> readBuffer_{};
  bool portFailing_ = false;
  // The transfer started last, whose silence is watched.
  TransferProgress watched_;
  Clock::time_point lastHeard_{};
  bool silenceReported_ = false;
};

}  // namespace vardex
