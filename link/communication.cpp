#include "communication.h"

namespace vardex {

TCommThread::TCommThread(TransferEngine& engine, TransferMailbox& mailbox, LinkListener& listener,
                         std::unique_ptr<SerialPort> port, std::chrono::milliseconds pollTimeout)
    : engine_(engine),
      mailbox_(mailbox),
      listener_(listener),
      port_(std::move(port)),
      pollTimeout_(pollTimeout) {}

TCommThread::~TCommThread() {
  Terminate();
  Join();
}

bool TCommThread::Open(const std::string& path) {
  thread_ = std::thread([this, path] { Body(path); });
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return phase_ != Phase::kOpening; });
  const bool opened = phase_ == Phase::kOpened;
  lock.unlock();
  if (!opened)
    Join();
  return opened;
}

void TCommThread::Run() {
  {
    std::lock_guard lock(mutex_);
    if (phase_ == Phase::kOpened)
      phase_ = Phase::kRunAllowed;
  }
  changed_.notify_all();
}

void TCommThread::Terminate() {
  terminated_.store(true, std::memory_order_release);
  Wake();
}

void TCommThread::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  changed_.notify_all();
  port_->Interrupt();
}

void TCommThread::Join() {
  if (thread_.joinable())
    thread_.join();
}

void TCommThread::Body(const std::string& path) {
  const bool opened = port_->Open(path);
  std::unique_lock lock(mutex_);
  phase_ = opened ? Phase::kOpened : Phase::kOpenFailed;
  changed_.notify_all();
  if (!opened)
    return;
  changed_.wait(lock, [this] { return phase_ == Phase::kRunAllowed || Terminated(); });
  lock.unlock();
  Execute();
  port_->Close();
}

void TCommThread::Execute() {
  while (!Terminated()) {
    ReadPoll();  // also runs the parser and, through it, the reply handlers
    engine_.Start(mailbox_.Take(engine_.Outgoing(), &terminated_), *this);
  }
}

void TCommThread::ReadPoll() {
  const auto deadline = std::chrono::steady_clock::now() + pollTimeout_;
  const std::size_t count = port_->Read(readBuffer_, pollTimeout_);
  if (count == 0) {
    const std::string error = port_->LastReadError();
    if (!error.empty() && !portFailing_)
      listener_.OnPortError(error);
    portFailing_ = !error.empty();
    // A read that fails at once (an unplugged adapter) still waits out its
    // time-out, so the loop never spins; a wake ends the wait early.
    WaitForWake(deadline);
  } else {
    portFailing_ = false;
  }
  engine_.Receive(std::span(readBuffer_).first(count), *this);
}

void TCommThread::WaitForWake(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  changed_.wait_until(lock, deadline, [this] { return woken_; });
  woken_ = false;
}

void TCommThread::Send(std::span<const std::uint8_t> bytes) {
  port_->Write(bytes);
}

void TCommThread::OnLogLine(std::string_view line) {
  listener_.OnLogLine(line);
}

void TCommThread::OnProgress(const TransferProgress& progress) {
  listener_.OnProgress(progress);
}

void TCommThread::OnImageVerified(const ConfigImage& image) {
  listener_.OnImageVerified(image);
}

void TCommThread::OnPortError(std::string_view error) {
  listener_.OnPortError(error);
}

}  // namespace vardex
