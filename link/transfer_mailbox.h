#pragma once

#include <atomic>
#include <mutex>

#include "config_image.h"
#include "firmware_buffer.h"
#include "transfer_types.h"

namespace vardex {

// The hand-over from the window to the worker. The window stages a request's
// data, then sets `PendingOperation`; the worker takes the operation with a
// copy of the staged data in buffers of its own, so the window may post again
// at any moment without touching what is being started. The mutex only
// guards the staging area during those two copies.
class TransferMailbox {
 public:
  // Window thread.
  void PostFirmwareUpload(const FirmwareBuffer& firmware);
  void PostConfigWrite(const ConfigImage& image);
  void PostConfigRead();

  // Worker thread: takes the pending operation (leaving 0) and returns it as
  // a request whose data stays valid until the next Take(). kNone when
  // nothing was posted, or when `closing` is set: a request posted after
  // "Close port" waits for the next worker instead of going out on a port
  // that is about to close.
  TransferRequest Take(const std::atomic<bool>* closing = nullptr);

  Operation Pending() const {
    return static_cast<Operation>(pendingOperation_.load(std::memory_order_acquire));
  }

 private:
  struct Staging {
    FirmwareBuffer firmware;
    ConfigImage image;
  };
  static void Copy(Operation operation, const Staging& from, Staging& to);
  void Post(Operation operation);

  std::mutex stagingMutex_;
  Staging staged_;  // guarded by stagingMutex_
  Staging taken_;   // worker thread only
  // `PendingOperation`: set with release after the staging, taken with acquire.
  std::atomic<std::uint8_t> pendingOperation_{0};
};

}  // namespace vardex
