#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "config_image.h"
#include "firmware_buffer.h"
#include "transfer_sequence.h"
#include "transfer_types.h"

namespace vardex {

class DeviceLink;

// The window's side of every transfer: it posts what the user asked for,
// follows the transfer in progress with the page count the engine reports,
// and runs what follows its end (a read shown, a write verified, a backup
// saved before an upload) through the same TransferSequence that `vardex`
// runs. It tells the window what to do by signals; it has no widgets.
class TransferController final : public QObject {
  Q_OBJECT

 public:
  // The one state the progress bar and the status line read.
  struct Snapshot {
    Operation operation = Operation::kNone;  // the transfer followed
    std::uint32_t pagesDone = 0;
    std::uint32_t pageCount = 0;
    // The try of the page waited for: above 1 while the device is asked again.
    std::uint32_t attempt = 1;
    std::uint32_t attempts = 1;
    QString port;  // the port it was posted for
  };
  // Saves a backup read before an upload; false with `error` set.
  using BackupSaver =
      std::function<bool(const QString& path, const ConfigImage& image, QString& error)>;

  TransferController(DeviceLink& link, BackupSaver saveBackup, QObject* parent = nullptr);

  const Snapshot& Current() const { return snapshot_; }
  // The port a request posted now goes to: the open one, or `chosen` (the
  // name in the list) while none is open.
  QString TargetPort(const QString& chosen) const;

  void Read(const QString& chosen);
  void Write(const ConfigImage& image, bool verify, const QString& chosen);
  // `backupPath` empty: upload at once; otherwise read and save the
  // configuration there first, and upload only once it is saved.
  void Upload(SharedFirmware firmware, const QString& backupPath, const QString& chosen);

 signals:
  // A transfer was posted (its page count as the engine will count it), or
  // moved on; after a drop the operation is kNone.
  void Posted(const vardex::TransferController::Snapshot& snapshot);
  void Changed(const vardex::TransferController::Snapshot& snapshot);
  // A read of the user's own ended with a verified image from `port`: the
  // very image the link made, to keep.
  void ShowImage(const vardex::SharedConfigImage& image, const QString& port);
  // Every page of a write was acknowledged by the device on `port`.
  void WriteFinished(const QString& port);
  // How a verify ended, in the status line's words.
  void Note(const QString& text, bool failed);
  // The backup was saved to `path` (before the upload starts).
  void BackupSaved(const QString& path);
  // Nothing was uploaded: the box's text and detail.
  void UploadRefused(const QString& text, const QString& detail);

 private:
  void Begin(TransferSequence sequence, const QString& chosen);
  void PostCurrent();
  void OnProgress(const TransferProgress& progress);
  void OnOutcome(const LinkOutcome& outcome);
  void OnDropped(Operation operation);
  void Ended(const TransferSequence& sequence);
  void VerifyEnded(const TransferSequence& sequence);

  DeviceLink& link_;
  BackupSaver saveBackup_;
  std::optional<TransferSequence> sequence_;
  QString backupPath_;
  Snapshot snapshot_;
};

}  // namespace vardex
