#include "config_file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace vardex {
namespace {

const QString kImageType = QStringLiteral("Configuration image (*.img *.bin)");
const QString kTextType = QStringLiteral("Text form (*.txt)");

}  // namespace

SaveTarget SaveTargetFor(const QString& chosen, bool textForm) {
  if (chosen.section('/', -1).contains('.'))
    return {chosen, false};
  const QString path = chosen + (textForm ? QStringLiteral(".txt") : QStringLiteral(".img"));
  return {path, QFileInfo::exists(path)};
}

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
  const QString title = QStringLiteral("Save configuration");
  QString offered = suggested;
  for (;;) {
    QString type = offered.endsWith(QStringLiteral(".txt")) ? kTextType : kImageType;
    const QString chosen =
        QFileDialog::getSaveFileName(parent, title, offered, kImageType + ";;" + kTextType, &type);
    if (chosen.isEmpty())
      return std::nullopt;
    const SaveTarget target = SaveTargetFor(chosen, type == kTextType);
    // The dialog asked about the name typed; the file written gets the same question.
    if (!target.askFirst ||
        QMessageBox::warning(parent, title,
                             QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                 .arg(QFileInfo(target.path).fileName()),
                             QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) == QMessageBox::Yes)
      return target.path;
    offered = target.path;  // back to the dialog, as its own "No" does
  }
}

}  // namespace vardex
