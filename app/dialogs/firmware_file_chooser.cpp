#include "firmware_file_chooser.h"

#include <QFileDialog>

namespace vardex {

std::optional<QString> QtFirmwareFileChooser::ChooseFirmwareFile(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(parent);
  if (path.isEmpty())
    return std::nullopt;
  return path;
}

}  // namespace vardex
