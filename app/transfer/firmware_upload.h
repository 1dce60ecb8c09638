#pragma once

#include <QString>
#include <memory>

#include "config_file_chooser.h"
#include "firmware_file_chooser.h"
#include "message_boxes.h"

class QWidget;

namespace vardex {

class TransferController;

// "Upload firmware": the file is chosen, read once, asked about (on those
// same bytes: what it is, how long it takes, which port receives it), and
// handed by reference to the controller, with a backup first when asked.
class FirmwareUpload {
 public:
  FirmwareUpload(QWidget* window, MessageBoxes& boxes, TransferController& transfers);
  ~FirmwareUpload();

  // Tests pick the file; null gives the file dialog again.
  void SetChooser(FirmwareFileChooser* chooser);
  // `backupChooser` asks where "Back up, then upload" saves; `chosenPort`
  // is the name in the port list.
  void Run(ConfigFileChooser& backupChooser, const QString& chosenPort);

 private:
  QWidget* window_;
  MessageBoxes& boxes_;
  TransferController& transfers_;
  std::unique_ptr<FirmwareFileChooser> ownChooser_;
  FirmwareFileChooser* chooser_;
};

}  // namespace vardex
