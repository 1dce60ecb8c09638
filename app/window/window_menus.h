#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "config_file_chooser.h"
#include "step_result.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace vardex {

class ChangeTracker;
class ConfigDocument;
class MessageBoxes;
class WindowControls;

// The window's File and Changes menus and what they do: open and save
// configuration files through the document, the recent files, the list of
// changes, and the question before edits are dropped.
class WindowMenus final : public QObject {
  Q_OBJECT

 public:
  // Shows a field that failed its rule on a Save, as "Write config" does.
  using FailureReport = std::function<void(const StepResult&)>;

  WindowMenus(QWidget* window, const WindowControls& controls, ConfigDocument& document,
              MessageBoxes& boxes, FailureReport reportFailure);
  ~WindowMenus() override;

  QMenuBar* Bar() const { return bar_; }
  ChangeTracker& Changes() { return *changes_; }
  // The file dialogs (tests pick the files).
  ConfigFileChooser& Chooser() { return *chooser_; }
  void SetChooser(ConfigFileChooser* chooser) { chooser_ = chooser; }

  // Shows a configuration file on the pages as a read would; a box says why
  // when the file is neither an image nor a text form.
  bool Open(const QString& path);
  // Saves the configuration; a box says why not.
  bool Save(const QString& path);
  // Asks when there are edits neither written nor saved; false to stay.
  bool MayDropEdits(const QString& action);

 public slots:
  void OpenClick();
  void SaveClick();
  void SaveAsClick();
  void ShowChanges();

 private:
  void FillRecentMenu();

  QWidget* window_;
  ConfigDocument& document_;
  MessageBoxes& boxes_;
  FailureReport reportFailure_;
  ChangeTracker* changes_;
  std::unique_ptr<ConfigFileChooser> ownChooser_;
  ConfigFileChooser* chooser_;
  QMenuBar* bar_ = nullptr;
  QMenu* recentMenu_ = nullptr;
};

}  // namespace vardex
