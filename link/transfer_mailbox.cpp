#include "transfer_mailbox.h"

#include <utility>

namespace vardex {

void TransferMailbox::Post(TransferRequest request) {
  if (request.operation == Operation::kNone)
    return;
  std::lock_guard lock(mutex_);
  const auto operation = static_cast<std::uint8_t>(request.operation);
  waiting_ = std::move(request);
  pendingOperation_.store(operation, std::memory_order_release);
}

Operation TransferMailbox::Drop() {
  std::lock_guard lock(mutex_);
  // The image or the file goes with the request that was meant to send it.
  waiting_ = {};
  return static_cast<Operation>(pendingOperation_.exchange(0, std::memory_order_acquire));
}

TransferRequest TransferMailbox::Take(const std::atomic<bool>* closing) {
  if (Pending() == Operation::kNone)
    return {};  // the common, lock-free case
  std::lock_guard lock(mutex_);
  // The window closes before it posts; the mutex orders the two for us.
  if (closing != nullptr && closing->load(std::memory_order_acquire))
    return {};
  pendingOperation_.store(0, std::memory_order_relaxed);
  return std::exchange(waiting_, {});
}

}  // namespace vardex
