#include "comm_thread.h"

#include <utility>

namespace vardex {

TCommThread::TCommThread(LinkSession& session, TransferMailbox& mailbox, LinkListener& listener,
                         std::unique_ptr<SerialPort> port, std::chrono::milliseconds pollTimeout)
    : session_(session),
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
  session_.Attach(*port_, listener_);
  while (!Terminated()) {
    session_.Poll(pollTimeout_, *this);  // also runs the parser and the reply handlers
    session_.Start(mailbox_.Take(&terminated_));
  }
}

void TCommThread::WaitUntil(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  changed_.wait_until(lock, deadline, [this] { return woken_; });
  woken_ = false;
}

}  // namespace vardex
