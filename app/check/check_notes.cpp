#include "check_notes.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "failure_focus.h"
#include "page_controls.h"
#include "station_check.h"
#include "station_check_dialog.h"
#include "station_notes.h"

namespace vardex {
namespace {

// The box layout under `root` that holds `widget` directly, and where.
QBoxLayout* BoxHolding(QLayout* root, QWidget* widget, int& index) {
  if (root == nullptr)
    return nullptr;
  if (auto* box = qobject_cast<QBoxLayout*>(root); box && (index = box->indexOf(widget)) >= 0)
    return box;
  for (int i = 0; i < root->count(); ++i) {
    if (QBoxLayout* found = BoxHolding(root->itemAt(i)->layout(), widget, index))
      return found;
  }
  return nullptr;
}

// The line stands right of the status line, level with its text, in its
// row; a status line without a row of its own gets one.
void PlaceBeside(QLabel* statusLabel, QLabel* line) {
  QWidget* window = statusLabel->parentWidget();
  int index = -1;
  QBoxLayout* box = BoxHolding(window->layout(), statusLabel, index);
  if (box == nullptr)
    return;
  if (box->direction() == QBoxLayout::LeftToRight) {
    box->insertWidget(index + 1, line, 0, Qt::AlignVCenter);
    return;
  }
  box->removeWidget(statusLabel);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(statusLabel, 1);
  row->addWidget(line, 0, Qt::AlignVCenter);
  box->insertLayout(index, row);
}

}  // namespace

CheckNotes::CheckNotes(QTabWidget* pages, QMenuBar* menuBar, QLabel* statusLabel,
                       SettingsSource settings)
    : QObject(pages), pages_(pages), settings_(std::move(settings)), line_(new QLabel) {
  line_->setObjectName("StationCheckLine");
  line_->setAccessibleName(QStringLiteral("Station check"));
  line_->setTextFormat(Qt::PlainText);
  line_->setToolTip(QStringLiteral("Tools, Station check lists them"));
  line_->hide();
  PlaceBeside(statusLabel, line_);

  QMenu* tools = menuBar->findChild<QMenu*>("ToolsMenu");
  if (tools == nullptr) {
    tools = menuBar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName("ToolsMenu");
  }
  QAction* check = tools->addAction(QStringLiteral("&Station check..."));
  check->setObjectName("StationCheckAction");
  check->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
  connect(check, &QAction::triggered, this, [this] { OpenList(); });

  // Edits come in bursts (a read sets every control): check once they settle.
  settle_.setSingleShot(true);
  settle_.setInterval(150);
  connect(&settle_, &QTimer::timeout, this, &CheckNotes::Refresh);
  const auto changed = [this] { settle_.start(); };
  for (auto* edit : pages_->findChildren<QLineEdit*>())
    connect(edit, &QLineEdit::textChanged, this, changed);
  for (auto* list : pages_->findChildren<QComboBox*>())
    connect(list, &QComboBox::currentTextChanged, this, changed);
  for (auto* box : pages_->findChildren<QCheckBox*>())
    connect(box, &QCheckBox::toggled, this, changed);
  Refresh();
}

void CheckNotes::Refresh() {
  settle_.stop();
  const std::size_t count = CheckStation(settings_()).size();
  line_->setText(count == 0 ? QString() : QString::fromStdString(NotesCountText(count)));
  line_->setVisible(count > 0);
  spoken_.Changed(line_, LinkStatus::Kind::kFinished);
}

StationCheckDialog* CheckNotes::OpenList() {
  Refresh();
  if (dialog_ != nullptr)
    dialog_->close();
  dialog_ = new StationCheckDialog(CheckStation(settings_()), pages_->window());
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

QString CheckNotesSentence(const ConfigSettings& settings) {
  const std::size_t count = CheckStation(settings).size();
  if (count == 0)
    return {};
  return QStringLiteral(" The station check has %1 (Tools, Station check).")
      .arg(QString::fromStdString(NotesCountText(count)));
}

QString CheckNotesSentence(const WindowControls& controls) {
  ConfigSettings settings;
  controls.Gather(settings);
  return CheckNotesSentence(settings);
}

}  // namespace vardex
