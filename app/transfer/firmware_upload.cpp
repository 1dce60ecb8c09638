#include "firmware_upload.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include "app_platform.h"
#include "config_file.h"
#include "firmware_buffer.h"
#include "transfer_controller.h"

namespace vardex {
namespace {

// Bytes on the line for one firmware page: the 136-byte frame and the 8-byte
// acknowledgement, 10 bits each at 115200 baud.
constexpr int kLineBytesPerPage = 144;
constexpr int kBaud = 115200;

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FirmwareUpload::FirmwareUpload(QWidget* window, MessageBoxes& boxes, TransferController& transfers)
    : window_(window),
      boxes_(boxes),
      transfers_(transfers),
      ownChooser_(std::make_unique<QtFirmwareFileChooser>()),
      chooser_(ownChooser_.get()) {}

FirmwareUpload::~FirmwareUpload() = default;

void FirmwareUpload::SetChooser(FirmwareFileChooser* chooser) {
  chooser_ = chooser != nullptr ? chooser : ownChooser_.get();
}

void FirmwareUpload::Run(ConfigFileChooser& backupChooser, const QString& chosenPort) {
  const std::optional<QString> path = chooser_->ChooseFirmwareFile(window_);
  if (!path)
    return;
  // The only read of the file: the question and the upload use these bytes.
  const FirmwareLoad load = LoadFirmwareFile(FileNameBytes(*path).c_str());
  if (load.status != FirmwareLoadStatus::kLoaded) {
    boxes_.ShowTitledInformation(Latin1(kFirmwareBoxCaption),
                                 Latin1(FirmwareLoadMessage(load.status)));
    return;
  }
  const FirmwareBuffer& firmware = *load.firmware;
  if (firmware.size == 0) {
    // Nothing to send: an upload would send a page of nothing.
    boxes_.ShowTitledInformation(Latin1(kFirmwareBoxCaption), Latin1(kEmptyFirmwareMessage));
    return;
  }
  const QString kind = NotFirmwareKind(QByteArray::fromRawData(
      reinterpret_cast<const char*>(firmware.bytes.data()), static_cast<qsizetype>(firmware.size)));
  const qint64 pages = firmware.PageCount();
  const qint64 seconds = (pages * kLineBytesPerPage * 10 + kBaud - 1) / kBaud;
  QString text =
      QStringLiteral(
          "Upload %1 (%2 bytes, %3 pages, about %4 at 115200 baud) to the "
          "device on %5?")
          .arg(QFileInfo(*path).fileName())
          .arg(firmware.size)
          .arg(pages)
          .arg(seconds < 60 ? QStringLiteral("%1 s").arg(seconds)
                            : QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60))
          .arg(transfers_.TargetPort(chosenPort));
  if (!kind.isEmpty())
    text += QStringLiteral(" This file is %1, not a firmware.").arg(kind);
  const MessageBoxes::Question question{
      text,
      QStringLiteral("An upgrade may reset the configuration. \"Back up, then upload\" reads it "
                     "and saves it to a file before the upload starts."),
      {QStringLiteral("Upload"), QStringLiteral("Back up, then upload"), QStringLiteral("Cancel")},
      2};
  const int answer = boxes_.Ask(question);
  if (answer == 0) {
    transfers_.Upload(load.firmware, {}, chosenPort);
    return;
  }
  if (answer != 1)
    return;
  const std::optional<QString> backup = backupChooser.ChooseToSave(
      window_,
      QStringLiteral("vardex-backup-%1.img").arg(QDate::currentDate().toString(Qt::ISODate)));
  if (backup)
    transfers_.Upload(load.firmware, *backup, chosenPort);
}

}  // namespace vardex
