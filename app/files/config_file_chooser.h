#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace vardex {

// The file dialogs of the File menu and of the backup before a firmware
// upload, behind an interface so that tests can pick the files.
class ConfigFileChooser {
 public:
  virtual ~ConfigFileChooser() = default;
  virtual std::optional<QString> ChooseToOpen(QWidget* parent) = 0;
  // `suggested` is the name offered; the user may change it and its type.
  virtual std::optional<QString> ChooseToSave(QWidget* parent, const QString& suggested) = 0;
};

// The file a save dialog's answer names: a name without an ending takes the
// ending of the type chosen (".txt" for the text form, else ".img"). The
// dialog asked before replacing `chosen` only, so `askFirst` is set when the
// ending was added and that file exists.
struct SaveTarget {
  QString path;
  bool askFirst = false;
};
SaveTarget SaveTargetFor(const QString& chosen, bool textForm);

// QFileDialog with the two forms as file types (the image first).
class QtConfigFileChooser final : public ConfigFileChooser {
 public:
  std::optional<QString> ChooseToOpen(QWidget* parent) override;
  std::optional<QString> ChooseToSave(QWidget* parent, const QString& suggested) override;
};

}  // namespace vardex
