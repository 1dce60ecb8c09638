#include "comm_thread.h"

namespace vardex {

TCommThread::TCommThread(TransferEngine& engine, std::unique_ptr<SerialPort> port,
                         std::unique_ptr<WorkerThread> thread,
                         std::chrono::milliseconds poll_timeout)
    : engine_(engine),
      port_(std::move(port)),
      thread_(std::move(thread)),
      poll_timeout_(poll_timeout) {}

TCommThread::~TCommThread() {
  Terminate();
  Join();
}

bool TCommThread::Open(const std::string& path) {
  thread_->Start([this, path] { Body(path); });
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
  thread_->Join();
}

void TCommThread::Body(const std::string& path) {
  const bool opened = port_->Open(path);
  std::unique_lock lock(mutex_);
  phase_ = opened ? Phase::kOpened : Phase::kOpenFailed;
  changed_.notify_all();
  if (!opened)
    return;
  changed_.wait(lock, [this] { return phase_ == Phase::kRunAllowed || terminated(); });
  lock.unlock();
  Execute();
  port_->Close();
}

void TCommThread::Execute() {
  engine_.Attach(port_.get());
  while (!terminated()) {
    ReadPoll();  // also runs the parser and, through it, the reply handlers
    engine_.TakePendingOperation(&terminated_);
  }
  engine_.Attach(nullptr);
}

void TCommThread::ReadPoll() {
  const auto deadline = std::chrono::steady_clock::now() + poll_timeout_;
  const std::size_t count = port_->Read(read_buffer_, poll_timeout_);
  // A read that fails at once (an unplugged adapter) still waits out its
  // time-out, so the loop never spins; a wake ends the wait early.
  if (count == 0)
    WaitForWake(deadline);
  engine_.Receive(std::span(read_buffer_).first(count));
}

void TCommThread::WaitForWake(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  changed_.wait_until(lock, deadline, [this] { return woken_; });
  woken_ = false;
}

}  // namespace vardex
