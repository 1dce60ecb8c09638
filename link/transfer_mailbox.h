#pragma once

// The hand-over from the window to the worker. It, the worker (comm_thread)
// and the hand-over back (report_queue) are the only code of the link that
// crosses threads: every lock, atomic and condition wait of the link is in
// these three (a port's read waits on its device and on its own
// Interrupt(), nothing else).

#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>

#include "transfer_types.h"

namespace vardex {

// One request waits here until the worker takes it: the window posts it
// whole, then sets `PendingOperation`; the worker takes the operation with
// its data (a share of the image or of the firmware file), so the window may
// post again at any moment without touching what is being started. The
// mutex only guards the waiting request during the hand-over. Small enough
// to live in its header.
class TransferMailbox {
 public:
  // Window thread: a request not taken yet is replaced; kNone posts nothing.
  void Post(TransferRequest request) {
    if (request.operation == Operation::kNone)
      return;
    std::lock_guard lock(mutex_);
    const auto operation = static_cast<std::uint8_t>(request.operation);
    waiting_ = std::move(request);
    pendingOperation_.store(operation, std::memory_order_release);
  }

  // Worker thread: takes the pending request (leaving 0). kNone when nothing
  // was posted, or when `closing` is set: a request posted after "Close
  // port" waits for the next worker instead of going out on a port that is
  // about to close.
  TransferRequest Take(const std::atomic<bool>* closing = nullptr) {
    if (Pending() == Operation::kNone)
      return {};  // the common, lock-free case
    std::lock_guard lock(mutex_);
    // The window closes before it posts; the mutex orders the two for us.
    if (closing != nullptr && closing->load(std::memory_order_acquire))
      return {};
    pendingOperation_.store(0, std::memory_order_relaxed);
    return std::exchange(waiting_, {});
  }

  // Window thread: takes back a request no worker has taken yet, with its
  // data; returns its operation (kNone when there was none).
  Operation Drop() {
    std::lock_guard lock(mutex_);
    // The image or the file goes with the request that was meant to send it.
    waiting_ = {};
    return static_cast<Operation>(pendingOperation_.exchange(0, std::memory_order_acquire));
  }

  Operation Pending() const {
    return static_cast<Operation>(pendingOperation_.load(std::memory_order_acquire));
  }

 private:
  std::mutex mutex_;
  TransferRequest waiting_;  // guarded by mutex_
  // `PendingOperation`: set with release after the request is in place,
  // taken with acquire.
  std::atomic<std::uint8_t> pendingOperation_{0};
};

}  // namespace vardex
