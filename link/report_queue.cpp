#include "report_queue.h"

#include <algorithm>
#include <utility>

namespace vardex {

ReportQueue::ReportQueue(std::function<void()> schedule) : schedule_(std::move(schedule)) {}

void ReportQueue::OnLogLine(std::string_view line) {
  std::unique_lock lock(mutex_);
  if (Push(lock, LinkReport::Kind::kLogLine, line) != nullptr)
    Scheduled(lock);
}

void ReportQueue::OnOutcome(const LinkOutcome& outcome) {
  std::unique_lock lock(mutex_);
  LinkReport* slot = Push(lock, LinkReport::Kind::kOutcome, outcome.reason);
  if (slot == nullptr)
    return;
  slot->outcome = outcome;  // the image's share, not its bytes
  slot->outcome.reason = {};
  Scheduled(lock);
}

void ReportQueue::OnProgress(const TransferProgress& progress) {
  std::unique_lock lock(mutex_);
  // Only the latest of each transfer matters to the window.
  progress_[static_cast<std::size_t>(progress.operation) % progress_.size()] = progress;
  Scheduled(lock);
}

LinkReport* ReportQueue::Push(std::unique_lock<std::mutex>& lock, LinkReport::Kind kind,
                              std::string_view text) {
  if (!WaitForRoom(lock))
    return nullptr;
  LinkReport& slot = slots_[(head_ + size_) % kCapacity];
  slot.kind = kind;
  slot.length = static_cast<std::uint8_t>(std::min(text.size(), LinkReport::kMaxText));
  std::copy_n(text.begin(), slot.length, slot.text.begin());
  ++size_;
  highWater_ = std::max(highWater_, size_);
  return &slot;
}

bool ReportQueue::WaitForRoom(std::unique_lock<std::mutex>& lock) {
  room_.wait(lock, [&] { return cancelled_ || size_ < kBound; });
  // Cancelled: a closing worker's last reports go in while there is space.
  return size_ < kCapacity;
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

bool ReportQueue::Pop(LinkReport& report) {
  {
    std::lock_guard lock(mutex_);
    if (size_ == 0)
      return false;
    // Moved: the slot lets go of the image's share.
    report = std::move(slots_[head_]);
    head_ = (head_ + 1) % kCapacity;
    --size_;
  }
  report.outcome.reason = report.Text();
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
