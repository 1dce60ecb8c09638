#include "report_queue.h"

#include <algorithm>
#include <utility>

namespace vardex {

ReportQueue::ReportQueue(std::function<void()> schedule) : schedule_(std::move(schedule)) {}

void ReportQueue::OnLogLine(std::string_view line) {
  Push(LinkReport::Kind::kLogLine, line);
}

void ReportQueue::OnPortError(std::string_view error) {
  Push(LinkReport::Kind::kPortError, error);
}

void ReportQueue::OnImageVerified(const ConfigImage& image) {
  std::unique_lock lock(mutex_);
  if (!WaitForRoom(lock, true))
    return;
  image_ = image;
  imageWaiting_ = true;
  slots_[(head_ + size_) % kCapacity].kind = LinkReport::Kind::kImage;
  slots_[(head_ + size_) % kCapacity].length = 0;
  ++size_;
  highWater_ = std::max(highWater_, size_);
  Scheduled(lock);
}

void ReportQueue::OnProgress(const TransferProgress& progress) {
  lastProgress_.store(std::chrono::steady_clock::now().time_since_epoch().count(),
                      std::memory_order_relaxed);
  std::unique_lock lock(mutex_);
  // Only the latest of each transfer matters to the window.
  progress_[static_cast<std::size_t>(progress.operation) % progress_.size()] = progress;
  Scheduled(lock);
}

void ReportQueue::Push(LinkReport::Kind kind, std::string_view text) {
  std::unique_lock lock(mutex_);
  if (!WaitForRoom(lock, false))
    return;
  LinkReport& slot = slots_[(head_ + size_) % kCapacity];
  slot.kind = kind;
  slot.length = static_cast<std::uint8_t>(std::min(text.size(), LinkReport::kMaxText));
  std::copy_n(text.begin(), slot.length, slot.text.begin());
  ++size_;
  highWater_ = std::max(highWater_, size_);
  Scheduled(lock);
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
    if (report.kind == LinkReport::Kind::kImage) {
      image = image_;
      imageWaiting_ = false;
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

std::chrono::steady_clock::time_point ReportQueue::LastProgressTime() const {
  return std::chrono::steady_clock::time_point(
      std::chrono::steady_clock::duration(lastProgress_.load(std::memory_order_relaxed)));
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
