#include "report_queue.h"

#include <algorithm>
#include <utility>

namespace vardex {

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

void ReportQueue::Scheduled(std::unique_lock<std::mutex>& lock) {
  if (scheduled_)
    return;
  scheduled_ = true;
  lock.unlock();
  schedule_();
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
