#include "window_menus.h"

#include <QAction>
#include <QDate>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "change_tracker.h"
#include "changes_dialog.h"
#include "config_document.h"
#include "message_boxes.h"
#include "recent_files.h"

namespace vardex {

WindowMenus::WindowMenus(QWidget* window, const WindowControls& controls, ConfigDocument& document,
                         MessageBoxes& boxes, FailureReport reportFailure)
    : QObject(window),
      window_(window),
      document_(document),
      boxes_(boxes),
      reportFailure_(std::move(reportFailure)),
      changes_(new ChangeTracker(controls, document, this)),
      ownChooser_(std::make_unique<QtConfigFileChooser>()),
      chooser_(ownChooser_.get()) {
  bar_ = new QMenuBar(window);
  bar_->setObjectName("MenuBar");
  QMenu* file = bar_->addMenu(QStringLiteral("&File"));
  file->setObjectName("FileMenu");
  const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys,
                          void (WindowMenus::*slot)()) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  add(file, QStringLiteral("&Open configuration..."), QKeySequence::Open, &WindowMenus::OpenClick);
  add(file, QStringLiteral("&Save"), QKeySequence::Save, &WindowMenus::SaveClick);
  add(file, QStringLiteral("Save &as..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
      &WindowMenus::SaveAsClick);
  file->addSeparator();
  recentMenu_ = file->addMenu(QStringLiteral("&Recent files"));
  recentMenu_->setObjectName("RecentMenu");
  connect(recentMenu_, &QMenu::aboutToShow, this, &WindowMenus::FillRecentMenu);
  FillRecentMenu();
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("&Quit"));
  quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
  connect(quit, &QAction::triggered, window, &QWidget::close);

  QMenu* edits = bar_->addMenu(QStringLiteral("&Changes"));
  edits->setObjectName("ChangesMenu");
  add(edits, QStringLiteral("&List of changes..."), QKeySequence(QStringLiteral("Ctrl+D")),
      &WindowMenus::ShowChanges);
  QAction* revertAll = edits->addAction(QStringLiteral("&Revert all changes"));
  connect(revertAll, &QAction::triggered, changes_, &ChangeTracker::RevertAll);
}

WindowMenus::~WindowMenus() = default;

void WindowMenus::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList paths = RecentFiles().Paths();
  for (int i = 0; i < paths.size(); ++i) {
    const QString& path = paths[i];
    QAction* action =
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] {
      if (MayDropEdits(QStringLiteral("Opening ") + QFileInfo(path).fileName()))
        Open(path);
    });
  }
  recentMenu_->setEnabled(!paths.isEmpty());
}

bool WindowMenus::Open(const QString& path) {
  QString error;
  if (!document_.Open(path, error)) {
    boxes_.ShowInformation(QStringLiteral("The configuration was not opened."), error);
    return false;
  }
  RecentFiles().Add(path);
  return true;
}

bool WindowMenus::Save(const QString& path) {
  const ConfigDocument::SaveResult result = document_.Save(path);
  if (!result.failure.Succeeded()) {
    reportFailure_(result.failure);
    return false;
  }
  if (!result.saved) {
    boxes_.ShowInformation(QStringLiteral("The configuration was not saved."), result.error);
    return false;
  }
  RecentFiles().Add(path);
  return true;
}

void WindowMenus::OpenClick() {
  if (!MayDropEdits(QStringLiteral("Opening a file")))
    return;
  if (const std::optional<QString> path = chooser_->ChooseToOpen(window_))
    Open(*path);
}

void WindowMenus::SaveClick() {
  if (document_.FilePath().isEmpty()) {
    SaveAsClick();
    return;
  }
  Save(document_.FilePath());
}

void WindowMenus::SaveAsClick() {
  const QString suggested =
      document_.FilePath().isEmpty()
          ? QStringLiteral("vardex-%1.img").arg(QDate::currentDate().toString(Qt::ISODate))
          : document_.FilePath();
  if (const std::optional<QString> path = chooser_->ChooseToSave(window_, suggested))
    Save(*path);
}

void WindowMenus::ShowChanges() {
  auto* dialog = window_->findChild<ChangesDialog*>("ChangesDialog");
  if (dialog == nullptr) {
    dialog = new ChangesDialog(*changes_, window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
  }
  dialog->show();
  dialog->raise();
}

bool WindowMenus::MayDropEdits(const QString& action) {
  const int count = document_.EditCount();
  if (count == 0)
    return true;
  const MessageBoxes::Question question{
      QStringLiteral("%1 drops %2 changed %3 that %4 neither written to the device nor saved to "
                     "a file.")
          .arg(action)
          .arg(count)
          .arg(count == 1 ? QStringLiteral("field") : QStringLiteral("fields"))
          .arg(count == 1 ? QStringLiteral("was") : QStringLiteral("were")),
      QStringLiteral("Save them first?"),
      {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")},
      2};
  switch (boxes_.Ask(question)) {
    case 0:
      SaveClick();
      return document_.EditCount() == 0;  // saved, or the save failed and the edits stay
    case 1:
      return true;
    default:
      return false;
  }
}

}  // namespace vardex
