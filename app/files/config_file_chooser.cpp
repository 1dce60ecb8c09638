#include "config_file_chooser.h"

#include <QFileDialog>

namespace vardex {
namespace {

const QString kImageType = QStringLiteral("Configuration image (*.img *.bin)");
const QString kTextType = QStringLiteral("Text form (*.txt)");

}  // namespace

std::optional<QString> QtConfigFileChooser::ChooseToOpen(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(
      parent, QStringLiteral("Open configuration"), QString(),
      QStringLiteral("Configurations (*.img *.bin *.txt);;%1;;%2;;All files (*)")
          .arg(kImageType, kTextType));
  if (path.isEmpty())
    return std::nullopt;
  return path;
}

std::optional<QString> QtConfigFileChooser::ChooseToSave(QWidget* parent,
                                                         const QString& suggested) {
  QString type = suggested.endsWith(QStringLiteral(".txt")) ? kTextType : kImageType;
  QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save configuration"),
                                              suggested, kImageType + ";;" + kTextType, &type);
  if (path.isEmpty())
    return std::nullopt;
  // A name without an ending takes the ending of the type chosen.
  if (!path.section('/', -1).contains('.'))
    path += type == kTextType ? QStringLiteral(".txt") : QStringLiteral(".img");
  return path;
}

}  // namespace vardex
