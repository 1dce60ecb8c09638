#include "communication.h"

#include <algorithm>
#include <utility>

namespace vardex {

// The mailbox: window -> worker.

void TransferMailbox::PostFirmwareUpload(SharedFirmware firmware) {
  std::lock_guard lock(stagingMutex_);
  staged_.firmware = std::move(firmware);
  Post(Operation::kFirmwareUpload);
}

void TransferMailbox::PostConfigWrite(const ConfigImage& image) {
  std::lock_guard lock(stagingMutex_);
  staged_.image = image;
  Post(Operation::kConfigWrite);
}

void TransferMailbox::PostConfigRead() {
  std::lock_guard lock(stagingMutex_);
  Post(Operation::kConfigRead);
}

void TransferMailbox::Post(Operation operation) {
  pendingOperation_.store(static_cast<std::uint8_t>(operation), std::memory_order_release);
}

Operation TransferMailbox::Drop() {
  std::lock_guard lock(stagingMutex_);
  const auto operation =
      static_cast<Operation>(pendingOperation_.exchange(0, std::memory_order_acquire));
  // The file goes with the request that was meant to send it.
  if (operation == Operation::kFirmwareUpload)
    staged_.firmware.reset();
  return operation;
}

TransferRequest TransferMailbox::Take(const std::atomic<bool>* closing) {
  if (Pending() == Operation::kNone)
    return {};  // the common, lock-free case
  std::lock_guard lock(stagingMutex_);
  // The window closes before it posts; the mutex orders the two for us.
  if (closing != nullptr && closing->load(std::memory_order_acquire))
    return {};
  const auto operation =
      static_cast<Operation>(pendingOperation_.exchange(0, std::memory_order_acquire));
  switch (operation) {
    case Operation::kConfigWrite:
      taken_ = staged_.image;
      return TransferRequest::Write(taken_);
    case Operation::kFirmwareUpload:
      return TransferRequest::Upload(std::move(staged_.firmware));
    case Operation::kConfigRead:
      return TransferRequest::Read();
    case Operation::kNone:
      break;
  }
  return {};
}

// The worker.

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

// The report queue: worker -> window.

ReportQueue::ReportQueue(std::function<void()> schedule) : schedule_(std::move(schedule)) {}

void ReportQueue::OnLogLine(std::string_view line) {
  std::unique_lock lock(mutex_);
  if (Push(lock, LinkReport::Kind::kLogLine, line, false) != nullptr)
    Scheduled(lock);
}

void ReportQueue::OnOutcome(const LinkOutcome& outcome) {
  std::unique_lock lock(mutex_);
  const bool withImage = outcome.image != nullptr;
  LinkReport* slot = Push(lock, LinkReport::Kind::kOutcome, outcome.reason, withImage);
  if (slot == nullptr)
    return;
  slot->outcome = outcome;
  slot->outcome.reason = {};
  slot->outcome.image = nullptr;
  if (withImage) {
    image_ = *outcome.image;
    imageWaiting_ = true;
  }
  Scheduled(lock);
}

void ReportQueue::OnProgress(const TransferProgress& progress) {
  std::unique_lock lock(mutex_);
  // Only the latest of each transfer matters to the window.
  progress_[static_cast<std::size_t>(progress.operation) % progress_.size()] = progress;
  Scheduled(lock);
}

LinkReport* ReportQueue::Push(std::unique_lock<std::mutex>& lock, LinkReport::Kind kind,
                              std::string_view text, bool withImage) {
  if (!WaitForRoom(lock, withImage))
    return nullptr;
  LinkReport& slot = slots_[(head_ + size_) % kCapacity];
  slot.kind = kind;
  slot.withImage = withImage;
  slot.length = static_cast<std::uint8_t>(std::min(text.size(), LinkReport::kMaxText));
  std::copy_n(text.begin(), slot.length, slot.text.begin());
  ++size_;
  highWater_ = std::max(highWater_, size_);
  return &slot;
}

bool ReportQueue::WaitForRoom(std::unique_lock<std::mutex>& lock, bool forImage) {
  room_.wait(lock, [&] { return cancelled_ || (size_ < kBound && !(forImage && imageWaiting_)); });
  // Cancelled: a closing worker's last reports go in while there is space.
  return size_ < kCapacity && !(forImage && imageWaiting_);
}

// The delivery is asked for before the lock is let go: whatever `schedule`
// allocates for the window (Qt's queued call) is then ordered before the
// window's next Pop by this mutex, which ThreadSanitizer sees, and not only
// by Qt's event queue, which it cannot see.
void ReportQueue::Scheduled(std::unique_lock<std::mutex>& lock) {
  if (scheduled_)
    return;
  scheduled_ = true;
  schedule_();
  lock.unlock();
}

bool ReportQueue::Pop(LinkReport& report, ConfigImage& image) {
  {
    std::lock_guard lock(mutex_);
    if (size_ == 0)
      return false;
    report = slots_[head_];
    head_ = (head_ + 1) % kCapacity;
    --size_;
    report.outcome.reason = report.Text();
    if (report.withImage) {
      image = image_;
      imageWaiting_ = false;
      report.outcome.image = &image;
    }
  }
  room_.notify_all();
  return true;
}

std::optional<TransferProgress> ReportQueue::TakeProgress(Operation operation) {
  std::lock_guard lock(mutex_);
  return std::exchange(progress_[static_cast<std::size_t>(operation) % progress_.size()],
                       std::nullopt);
}

bool ReportQueue::EndDelivery() {
  std::lock_guard lock(mutex_);
  const bool progressWaits =
      std::any_of(progress_.begin(), progress_.end(), [](const auto& p) { return p.has_value(); });
  if (size_ != 0 || progressWaits)
    return false;
  scheduled_ = false;
  return true;
}

void ReportQueue::CancelWaits() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
  }
  room_.notify_all();
}

void ReportQueue::ResumeWaits() {
  std::lock_guard lock(mutex_);
  cancelled_ = false;
}

std::size_t ReportQueue::Size() const {
  std::lock_guard lock(mutex_);
  return size_;
}

std::size_t ReportQueue::HighWater() const {
  std::lock_guard lock(mutex_);
  return highWater_;
}

}  // namespace vardex
