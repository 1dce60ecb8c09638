#include "transfer_mailbox.h"

namespace vardex {

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

}  // namespace vardex
