#include "firmware_file_chooser.h"

#include <QFileDialog>

std::optional<QString> QtFirmwareFileChooser::ChooseFirmwareFile(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(parent);
  if (path.isEmpty())
    return std::nullopt;
  return path;
}
