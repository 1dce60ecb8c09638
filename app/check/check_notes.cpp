#include "check_notes.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "failure_focus.h"
#include "page_controls.h"
#include "station_check.h"
#include "station_check_dialog.h"
#include "station_notes.h"
#include "tools_menu.h"

namespace vardex {
namespace {

QString NotesSentence(std::size_t count) {
  if (count == 0)
    return {};
  return QStringLiteral(" The station check has %1 (Tools, Station check).")
      .arg(QString::fromStdString(NotesCountText(count)));
}

}  // namespace

CheckNotes::CheckNotes(QTabWidget* pages, QMenuBar* menuBar, SettingsSource settings)
    : QObject(pages), pages_(pages), settings_(std::move(settings)), line_(new QLabel) {
  line_->setObjectName("StationCheckLine");
  line_->setAccessibleName(QStringLiteral("Station check"));
  line_->setTextFormat(Qt::PlainText);
  line_->setToolTip(QStringLiteral("Tools, Station check lists them"));
  line_->hide();

  QMenu* tools = ToolsMenu(menuBar);
  QAction* check = tools->addAction(QStringLiteral("&Station check..."));
  check->setObjectName("StationCheckAction");
  check->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
  connect(check, &QAction::triggered, this, [this] { OpenList(); });

  // Edits come in bursts (a read sets every field): check once they settle.
  settle_.setSingleShot(true);
  settle_.setInterval(150);
  connect(&settle_, &QTimer::timeout, this, &CheckNotes::Refresh);
  Refresh();
}

void CheckNotes::Later() {
  settle_.start();
}

void CheckNotes::Refresh() {
  settle_.stop();
  count_ = CheckStation(settings_(), SystemPcClock()).size();
  line_->setText(count_ == 0 ? QString() : QString::fromStdString(NotesCountText(count_)));
  line_->setVisible(count_ > 0);
  spoken_.Changed(line_, LinkStatus::Kind::kFinished);
}

StationCheckDialog* CheckNotes::OpenList() {
  Refresh();
  if (dialog_ != nullptr)
    dialog_->close();
  dialog_ = new StationCheckDialog(CheckStation(settings_(), SystemPcClock()), pages_->window());
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog_, &QDialog::accepted, this, [this, dialog = dialog_] {
    const StationFinding* chosen = dialog->Chosen();
    const FieldPlace place = chosen ? PlaceOfFinding(*chosen) : FieldPlace{};
    if (place.control == nullptr)
      return;
    ShowFailedControl(
        pages_, pages_->findChild<QWidget*>(QString::fromStdString(place.control->objectName)));
  });
  dialog_->open();
  return dialog_;
}

QString CheckNotes::Sentence() {
  // An edit made just before the question must count.
  if (settle_.isActive())
    Refresh();
  return NotesSentence(count_);
}

QString CheckNotesSentence(const ConfigSettings& settings) {
  return NotesSentence(CheckStation(settings, SystemPcClock()).size());
}

}  // namespace vardex
