#include "transfer_mailbox.h"

#include <algorithm>

namespace vardex {
namespace {

// Copies the pages up to `lastPage`, the ones an upload sends.
void CopyFirmwarePages(const FirmwareBuffer& from, std::uint32_t lastPage, FirmwareBuffer& to) {
  const std::size_t end = static_cast<std::size_t>(lastPage + 1) * kPageSize;
  std::copy_n(from.bytes.begin(), std::min(end, FirmwareBuffer::kCapacity), to.bytes.begin());
  to.size = from.size;
}

}  // namespace

void TransferMailbox::PostFirmwareUpload(const FirmwareBuffer& firmware) {
  std::lock_guard lock(stagingMutex_);
  staged_.firmwareCounters = {firmware.LastPageIndex(), 0};
  CopyFirmwarePages(firmware, staged_.firmwareCounters.lastPage, staged_.firmware);
  Post(Operation::kFirmwareUpload);
}

void TransferMailbox::PostConfigWrite(const ConfigImage& image) {
  std::lock_guard lock(stagingMutex_);
  staged_.writeImage = image;
  staged_.writeCounters = {ConfigImage::kPageCount - 1, 0};
  Post(Operation::kConfigWrite);
}

void TransferMailbox::PostConfigRead() {
  std::lock_guard lock(stagingMutex_);
  staged_.readCounters = {ConfigImage::kPageCount - 1, 0};
  Post(Operation::kConfigRead);
}

void TransferMailbox::Post(Operation operation) {
  pendingOperation_.store(static_cast<std::uint8_t>(operation), std::memory_order_release);
}

Operation TransferMailbox::Take(TransferData& into, const std::atomic<bool>* closing) {
  if (Pending() == Operation::kNone)
    return Operation::kNone;  // the common, lock-free case
  std::lock_guard lock(stagingMutex_);
  // The window closes before it posts; the mutex orders the two for us.
  if (closing != nullptr && closing->load(std::memory_order_acquire))
    return Operation::kNone;
  const auto operation =
      static_cast<Operation>(pendingOperation_.exchange(0, std::memory_order_acquire));
  switch (operation) {
    case Operation::kFirmwareUpload:
      into.firmwareCounters = staged_.firmwareCounters;
      CopyFirmwarePages(staged_.firmware, into.firmwareCounters.lastPage, into.firmware);
      break;
    case Operation::kConfigWrite:
      into.writeCounters = staged_.writeCounters;
      into.writeImage = staged_.writeImage;
      break;
    case Operation::kConfigRead:
      into.readCounters = staged_.readCounters;
      break;
    case Operation::kNone:
      break;
  }
  return operation;
}

}  // namespace vardex
