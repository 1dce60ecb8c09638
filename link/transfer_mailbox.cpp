#include "transfer_mailbox.h"

namespace vardex {

void TransferMailbox::Copy(Operation operation, const Staging& from, Staging& to) {
  if (operation == Operation::kConfigWrite)
    to.image = from.image;
  if (operation == Operation::kFirmwareUpload)
    CopySentPages(from.firmware, to.firmware);
}

void TransferMailbox::PostFirmwareUpload(const FirmwareBuffer& firmware) {
  std::lock_guard lock(stagingMutex_);
  CopySentPages(firmware, staged_.firmware);
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

TransferRequest TransferMailbox::Take(const std::atomic<bool>* closing) {
  if (Pending() == Operation::kNone)
    return {};  // the common, lock-free case
  std::lock_guard lock(stagingMutex_);
  // The window closes before it posts; the mutex orders the two for us.
  if (closing != nullptr && closing->load(std::memory_order_acquire))
    return {};
  const auto operation =
      static_cast<Operation>(pendingOperation_.exchange(0, std::memory_order_acquire));
  Copy(operation, staged_, taken_);
  return {operation, &taken_.image, &taken_.firmware};
}

}  // namespace vardex
