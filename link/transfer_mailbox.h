#pragma once

#include <atomic>
#include <mutex>

#include "config_image.h"
#include "firmware_buffer.h"
#include "transfer_types.h"

namespace vardex {

// What a transfer needs: the data it sends and its counters.
struct TransferData {
  FirmwareBuffer firmware;
  TransferCounters firmwareCounters;
  ConfigImage writeImage;
  TransferCounters writeCounters;
  TransferCounters readCounters;
};

// The hand-over from the window to the worker. The window stages a request's
// data and counters, then sets `PendingOperation`; the worker takes the
// operation and copies the staged data into its own buffers, so the window
// may post again at any moment without touching what is being sent. The
// mutex only guards the staging area during those two copies.
class TransferMailbox {
 public:
  // Window thread.
  void PostFirmwareUpload(const FirmwareBuffer& firmware);
  void PostConfigWrite(const ConfigImage& image);
  void PostConfigRead();

  // Worker thread: takes the pending operation (leaving 0) and copies what
  // it needs into `into`. Returns kNone when nothing was posted, or when
  // `closing` is set: a request posted after "Close port" waits for the next
  // worker instead of going out on a port that is about to close.
  Operation Take(TransferData& into, const std::atomic<bool>* closing = nullptr);

  Operation Pending() const {
    return static_cast<Operation>(pendingOperation_.load(std::memory_order_acquire));
  }

 private:
  void Post(Operation operation);

  std::mutex stagingMutex_;
  TransferData staged_;
  // `PendingOperation`: set with release after the staging, taken with acquire.
  std::atomic<std::uint8_t> pendingOperation_{0};
};

}  // namespace vardex
