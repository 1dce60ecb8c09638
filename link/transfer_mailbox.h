#pragma once

#include <atomic>
#include <mutex>

#include "config_image.h"
#include "firmware_buffer.h"
#include "transfer_types.h"

namespace vardex {

// The hand-over from the window to the worker. The window stages a request's
// data, then sets `PendingOperation`; the worker takes the operation with the
// staged data (a copy of the image, a share of the firmware file), so the
// window may post again at any moment without touching what is being
// started. The mutex only guards the staging area during the hand-over.
class TransferMailbox {
 public:
  // Window thread.
  void PostFirmwareUpload(SharedFirmware firmware);
  void PostConfigWrite(const ConfigImage& image);
  void PostConfigRead();

  // Worker thread: takes the pending operation (leaving 0) and returns it as
  // a request whose image stays valid until the next Take(). kNone when
  // nothing was posted, or when `closing` is set: a request posted after
  // "Close port" waits for the next worker instead of going out on a port
  // that is about to close.
  TransferRequest Take(const std::atomic<bool>* closing = nullptr);

  // Window thread: takes back a request no worker has taken yet; returns it
  // (kNone when there was none).
  Operation Drop();

  Operation Pending() const {
    return static_cast<Operation>(pendingOperation_.load(std::memory_order_acquire));
  }

 private:
  struct Staging {
    SharedFirmware firmware;
    ConfigImage image;
  };
  void Post(Operation operation);

  std::mutex stagingMutex_;
  Staging staged_;     // guarded by stagingMutex_
  ConfigImage taken_;  // worker thread only
  // `PendingOperation`: set with release after the staging, taken with acquire.
  std::atomic<std::uint8_t> pendingOperation_{0};
};

}  // namespace vardex
