#include "transfer_controller.h"

#include <utility>

#include "device_link.h"

namespace vardex {

TransferController::TransferController(DeviceLink& link, BackupSaver saveBackup, QObject* parent)
    : QObject(parent), link_(link), saveBackup_(std::move(saveBackup)) {
  connect(&link_, &DeviceLink::Progress, this, &TransferController::OnProgress);
  connect(&link_, &DeviceLink::Outcome, this, &TransferController::OnOutcome);
  connect(&link_, &DeviceLink::RequestDropped, this,
          [this](Operation operation) { OnDropped(operation); });
}

QString TransferController::TargetPort(const QString& chosen) const {
  const QString open = link_.OpenComName();
  return open.isEmpty() ? chosen : open;
}

void TransferController::Read(const QString& chosen) {
  Begin(TransferSequence::Read(), chosen);
}

void TransferController::Write(const ConfigImage& image, bool verify, const QString& chosen) {
  Begin(TransferSequence::Write(image, verify), chosen);
}

void TransferController::Upload(SharedFirmware firmware, const QString& backupPath,
                                const QString& chosen) {
  backupPath_ = backupPath;
  Begin(TransferSequence::Upload(std::move(firmware), !backupPath.isEmpty()), chosen);
}

// A new request replaces whatever followed the one before.
void TransferController::Begin(TransferSequence sequence, const QString& chosen) {
  sequence_ = std::move(sequence);
  snapshot_.port = TargetPort(chosen);
  PostCurrent();
}

void TransferController::PostCurrent() {
  TransferRequest request = sequence_->Request();
  snapshot_.operation = request.operation;
  snapshot_.pagesDone = 0;
  snapshot_.attempt = 1;
  snapshot_.pageCount = request.PageCount();
  link_.Post(std::move(request), snapshot_.port);
  emit Posted(snapshot_);
}

void TransferController::OnProgress(const TransferProgress& progress) {
  if (progress.operation != snapshot_.operation)
    return;
  snapshot_.pagesDone = progress.pagesDone;
  snapshot_.pageCount = progress.pageCount;
  snapshot_.attempt = progress.attempt;
  snapshot_.attempts = progress.attempts;
  emit Changed(snapshot_);
}

void TransferController::OnDropped(Operation operation) {
  if (!sequence_ || operation != snapshot_.operation)
    return;
  sequence_.reset();
  snapshot_.operation = Operation::kNone;
  snapshot_.pagesDone = 0;
  emit Changed(snapshot_);
}

void TransferController::OnOutcome(const LinkOutcome& outcome) {
  if (!sequence_)
    return;
  using Step = TransferSequence::Step;
  Step step = sequence_->OnOutcome(outcome);
  if (step != Step::kWait && outcome.operation == Operation::kConfigWrite)
    emit WriteFinished(snapshot_.port);
  if (step == Step::kSaveBackup) {
    QString error;
    const bool saved = saveBackup_(backupPath_, *sequence_->ReadBack(), error);
    if (saved)
      emit BackupSaved(backupPath_);
    step = sequence_->BackupSaved(saved);
    if (!saved) {
      sequence_.reset();
      emit UploadRefused(QStringLiteral("The firmware was not uploaded."), error);
      return;
    }
  }
  if (step == Step::kPost) {
    PostCurrent();
  } else if (step == Step::kEnded) {
    const TransferSequence ended = std::move(*sequence_);
    sequence_.reset();
    Ended(ended);
  }
}

void TransferController::Ended(const TransferSequence& sequence) {
  using End = TransferSequence::End;
  switch (sequence.Type()) {
    case TransferSequence::Kind::kRead:
      if (sequence.Ended() == End::kRead)
        emit ShowImage(sequence.ReadBack(), snapshot_.port);
      return;  // a broken read is the status line's news
    case TransferSequence::Kind::kWrite:
      VerifyEnded(sequence);
      return;
    case TransferSequence::Kind::kUpload:
      if (sequence.Ended() == End::kBackupUnreadable) {
        emit UploadRefused(
            QStringLiteral("The backup was not saved and the firmware was not uploaded."),
            QStringLiteral("The configuration read from the device has a wrong checksum."));
      }
      return;
  }
}

void TransferController::VerifyEnded(const TransferSequence& sequence) {
  const QString& port = snapshot_.port;
  switch (sequence.Ended()) {
    case TransferSequence::End::kVerified:
      emit Note(QStringLiteral("Write config: %1 pages written and verified on %2.")
                    .arg(ConfigImage::kPageCount)
                    .arg(port),
                false);
      return;
    case TransferSequence::End::kDiffers:
      emit Note(QStringLiteral("Write config: verification failed: the device on %1 holds %2 "
                               "differently from what was sent.")
                    .arg(port, QString::fromStdString(DescribeMismatch(*sequence.Mismatch()))),
                true);
      return;
    case TransferSequence::End::kReadBroken:
      emit Note(QStringLiteral("Write config: not verified: the configuration read back from %1 "
                               "has a wrong checksum.")
                    .arg(port),
                true);
      return;
    default:
      return;  // written without a verify: WriteFinished told it
  }
}

}  // namespace vardex
