#include "transfer_sequence.h"

#include <memory>
#include <utility>

namespace vardex {

TransferSequence TransferSequence::Read() {
  return {};
}

TransferSequence TransferSequence::Write(const ConfigImage& image, bool verify) {
  TransferSequence sequence;
  sequence.kind_ = Kind::kWrite;
  sequence.posted_ = Operation::kConfigWrite;
  sequence.sent_ = std::make_shared<const ConfigImage>(image);
  sequence.verify_ = verify;
  return sequence;
}

TransferSequence TransferSequence::Upload(SharedFirmware firmware, bool backUpFirst) {
  TransferSequence sequence;
  sequence.kind_ = Kind::kUpload;
  sequence.firmware_ = std::move(firmware);
  sequence.backUpFirst_ = backUpFirst;
  sequence.posted_ = backUpFirst ? Operation::kConfigRead : Operation::kFirmwareUpload;
  return sequence;
}

TransferRequest TransferSequence::Request() const {
  switch (posted_) {
    case Operation::kConfigWrite:
      return TransferRequest::Write(sent_);
    case Operation::kFirmwareUpload:
      return TransferRequest::Upload(firmware_);
    case Operation::kConfigRead:
      return TransferRequest::Read();
    case Operation::kNone:
      break;
  }
  return {};
}

TransferSequence::Step TransferSequence::Finish(End end) {
  end_ = end;
  posted_ = Operation::kNone;
  return Step::kEnded;
}

TransferSequence::Step TransferSequence::OnOutcome(const LinkOutcome& outcome) {
  using OutcomeKind = LinkOutcome::Kind;
  const bool ended =
      outcome.kind == OutcomeKind::kFinished || outcome.kind == OutcomeKind::kReadChecksumFailed;
  if (end_ != End::kRunning || !ended || outcome.operation != posted_)
    return Step::kWait;
  switch (posted_) {
    case Operation::kConfigWrite:
      if (!verify_)
        return Finish(End::kWritten);
      posted_ = Operation::kConfigRead;
      return Step::kPost;
    case Operation::kFirmwareUpload:
      return Finish(End::kUploaded);
    case Operation::kConfigRead:
      return OnReadEnd(outcome);
    case Operation::kNone:
      break;
  }
  return Step::kWait;
}

TransferSequence::Step TransferSequence::OnReadEnd(const LinkOutcome& outcome) {
  // A read is only as good as the image it brings.
  const bool holds = outcome.kind == LinkOutcome::Kind::kFinished && outcome.image != nullptr;
  if (outcome.image != nullptr)
    readBack_ = outcome.image;
  switch (kind_) {
    case Kind::kRead:
      return Finish(holds ? End::kRead : End::kReadBroken);
    case Kind::kWrite:
      // A broken read-back is still compared: the byte the device changed
      // is the news, and it is what broke the checksum.
      mismatch_ = outcome.image != nullptr ? FirstMismatch(*sent_, *readBack_) : std::nullopt;
      if (mismatch_)
        return Finish(End::kDiffers);
      return Finish(holds ? End::kVerified : End::kReadBroken);
    case Kind::kUpload:
      if (!holds)
        return Finish(End::kBackupUnreadable);
      return Step::kSaveBackup;
  }
  return Step::kWait;
}

TransferSequence::Step TransferSequence::BackupSaved(bool saved) {
  if (end_ != End::kRunning || kind_ != Kind::kUpload || posted_ != Operation::kConfigRead)
    return Step::kWait;
  if (!saved)
    return Finish(End::kBackupNotSaved);
  posted_ = Operation::kFirmwareUpload;
  return Step::kPost;
}

}  // namespace vardex
