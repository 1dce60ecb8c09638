#include "transfer_mailbox.h"

#include <algorithm>

namespace vardex {

void CopyFirmwarePages(const FirmwareBuffer& from, std::uint32_t last_page, FirmwareBuffer& to) {
  const std::size_t end = static_cast<std::size_t>(last_page + 1) * kPageSize;
  std::copy_n(from.bytes.begin(), std::min(end, FirmwareBuffer::kCapacity), to.bytes.begin());
  to.size = from.size;
}

void TransferMailbox::PostFirmwareUpload(const FirmwareBuffer& firmware) {
  std::lock_guard lock(staging_mutex_);
  staged_.firmware_counters = {firmware.LastPageIndex(), 0};
  CopyFirmwarePages(firmware, staged_.firmware_counters.last_page, staged_.firmware);
  Post(Operation::kFirmwareUpload);
}

void TransferMailbox::PostConfigWrite(const ConfigImage& image) {
  std::lock_guard lock(staging_mutex_);
  staged_.write_image = image;
  staged_.write_counters = {ConfigImage::kPageCount - 1, 0};
  Post(Operation::kConfigWrite);
}

void TransferMailbox::PostConfigRead() {
  std::lock_guard lock(staging_mutex_);
  staged_.read_counters = {ConfigImage::kPageCount - 1, 0};
  Post(Operation::kConfigRead);
}

void TransferMailbox::Post(Operation operation) {
  pending_operation_.store(static_cast<std::uint8_t>(operation), std::memory_order_release);
}

Operation TransferMailbox::Take(TransferData& into, const std::atomic<bool>* closing) {
  if (Pending() == Operation::kNone)
    return Operation::kNone;  // the common, lock-free case
  std::lock_guard lock(staging_mutex_);
  // The window closes before it posts; the mutex orders the two for us.
  if (closing != nullptr && closing->load(std::memory_order_acquire))
    return Operation::kNone;
  const auto operation =
      static_cast<Operation>(pending_operation_.exchange(0, std::memory_order_acquire));
  switch (operation) {
    case Operation::kFirmwareUpload:
      into.firmware_counters = staged_.firmware_counters;
      CopyFirmwarePages(staged_.firmware, into.firmware_counters.last_page, into.firmware);
      break;
    case Operation::kConfigWrite:
      into.write_counters = staged_.write_counters;
      into.write_image = staged_.write_image;
      break;
    case Operation::kConfigRead:
      into.read_counters = staged_.read_counters;
      break;
    case Operation::kNone:
      break;
  }
  return operation;
}

}  // namespace vardex
