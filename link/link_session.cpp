#include "link_session.h"

#include <algorithm>
#include <string>

namespace vardex {

LinkSession::LinkSession(std::chrono::milliseconds noReply, RetryPolicy retries)
    : noReply_(noReply), engine_(retries) {}

void LinkSession::Attach(SerialPort& port, LinkListener& listener) {
  port_ = &port;
  listener_ = &listener;
  portFailing_ = false;
}

void LinkSession::Start(const TransferRequest& request) {
  if (request.operation == Operation::kNone)
    return;
  watched_ = {request.operation, 0, 0};
  lastHeard_ = now_();
  silenceReported_ = false;
  engine_.Start(request, lastHeard_, *this);
}

void LinkSession::Poll(std::chrono::milliseconds timeout, PollPause& pause) {
  const Clock::time_point due = engine_.NextTick();
  if (due != Clock::time_point::max()) {
    const auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(due - now_());
    timeout = std::clamp(untilDue, std::chrono::milliseconds{0}, timeout);
  }
  const auto sliceEnd = Clock::now() + timeout;
  const std::size_t count = port_->Read(readBuffer_, timeout);
  if (count == 0) {
    const std::string error = port_->LastReadError();
    if (!error.empty() && !portFailing_) {
      LinkOutcome outcome = LinkOutcome::Of(LinkOutcome::Kind::kPortFailed, watched_.operation,
                                            watched_.pagesDone + 1, watched_.pageCount);
      outcome.reason = error;
      listener_->OnOutcome(outcome);
    }
    portFailing_ = !error.empty();
    // A read that fails at once still waits out its time-out.
    pause.WaitUntil(sliceEnd);
  } else {
    portFailing_ = false;
  }
  const Clock::time_point now = now_();
  engine_.Receive(std::span(readBuffer_).first(count), now, *this);
  // A full buffer may have left bytes in the port: the engine judges the
  // time only once everything that came has been read.
  if (count < readBuffer_.size())
    engine_.Tick(now, *this);
  WatchSilence(now);
}

void LinkSession::WatchSilence(Clock::time_point now) {
  if (watched_.operation == Operation::kNone || silenceReported_ || now - lastHeard_ < noReply_)
    return;
  silenceReported_ = true;
  LinkOutcome outcome = LinkOutcome::Of(LinkOutcome::Kind::kNoReply, watched_.operation,
                                        watched_.pagesDone + 1, watched_.pageCount);
  outcome.silence = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastHeard_);
  listener_->OnOutcome(outcome);
}

void LinkSession::Send(std::span<const std::uint8_t> bytes) {
  port_->Write(bytes);
}

void LinkSession::OnLogLine(std::string_view line) {
  listener_->OnLogLine(line);
}

void LinkSession::OnProgress(const TransferProgress& progress) {
  // A counted reply of the watched transfer ends its silence. The start's
  // report brings only the page count: the silence is timed from Start(),
  // before the first frame went out, whenever this report comes.
  if (progress.operation == watched_.operation && progress.pagesDone >= watched_.pagesDone) {
    if (progress.pagesDone > watched_.pagesDone) {
      lastHeard_ = now_();
      silenceReported_ = false;
    }
    watched_ = progress;
  }
  listener_->OnProgress(progress);
}

void LinkSession::OnOutcome(const LinkOutcome& outcome) {
  if (outcome.operation == watched_.operation)
    watched_.operation = Operation::kNone;
  listener_->OnOutcome(outcome);
}

}  // namespace vardex
