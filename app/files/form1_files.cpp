// The main window's files and changes: the File menu, where the values
// shown came from, the changed fields, the question before a write that
// would replace the device's configuration with values that are not its
// own, and the question before edits are dropped.
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include "Unit1.h"
#include "change_tracker.h"
#include "changes_dialog.h"
#include "clock_page.h"
#include "config_file.h"
#include "recent_files.h"
#include "status_line.h"

namespace {

constexpr const char* kTitle = "VARDEX Plus Configurator v1.26";
QString Quoted(const QString& text) {
  return QStringLiteral("\"%1\"").arg(text);
}

// The box layout that holds `widget` directly, searched from `layout` down.
QBoxLayout* LayoutHolding(QLayout* layout, QWidget* widget) {
  if (layout == nullptr)
    return nullptr;
  if (layout->indexOf(widget) >= 0)
    return qobject_cast<QBoxLayout*>(layout);
  for (int i = 0; i < layout->count(); ++i) {
    if (QBoxLayout* found = LayoutHolding(layout->itemAt(i)->layout(), widget))
      return found;
  }
  return nullptr;
}

// Puts `added` to the right of `anchor`, in the row `anchor` stood in.
void PlaceBeside(QWidget* anchor, QWidget* added) {
  QBoxLayout* holder = LayoutHolding(anchor->parentWidget()->layout(), anchor);
  if (holder == nullptr)
    return;
  const int index = holder->indexOf(anchor);
  holder->removeWidget(anchor);
  auto* row = new QHBoxLayout;
  row->addWidget(anchor);
  row->addSpacing(24);
  row->addWidget(added);
  row->addStretch(1);
  holder->insertLayout(index, row);
}

}  // namespace

void TForm1::BuildFileSafety() {
  ownFileChooser_ = std::make_unique<vardex::QtConfigFileChooser>();
  fileChooser_ = ownFileChooser_.get();
  changes_ = new vardex::ChangeTracker(controls_, this);
  BuildMenus();
  PlaceVerifyOption();
  PlaceChangesCount();
  connect(changes_, &vardex::ChangeTracker::CountChanged, this, &TForm1::UpdateTitle);
  UpdateTitle();
}

void TForm1::BuildMenus() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName("MenuBar");
  QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
  file->setObjectName("FileMenu");
  const auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys,
                          void (TForm1::*slot)()) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  add(file, QStringLiteral("&Open configuration..."), QKeySequence::Open, &TForm1::OpenClick);
  add(file, QStringLiteral("&Save"), QKeySequence::Save, &TForm1::SaveClick);
  add(file, QStringLiteral("Save &as..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
      &TForm1::SaveAsClick);
  file->addSeparator();
  recentMenu_ = file->addMenu(QStringLiteral("&Recent files"));
  recentMenu_->setObjectName("RecentMenu");
  connect(recentMenu_, &QMenu::aboutToShow, this, &TForm1::FillRecentMenu);
  FillRecentMenu();
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("&Quit"));
  quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
  connect(quit, &QAction::triggered, this, &QWidget::close);

  QMenu* edits = menuBar_->addMenu(QStringLiteral("&Changes"));
  edits->setObjectName("ChangesMenu");
  add(edits, QStringLiteral("&List of changes..."), QKeySequence(QStringLiteral("Ctrl+D")),
      &TForm1::ShowChanges);
  QAction* revertAll = edits->addAction(QStringLiteral("&Revert all changes"));
  connect(revertAll, &QAction::triggered, changes_, &vardex::ChangeTracker::RevertAll);

  // Above the connection group.
  if (auto* box = qobject_cast<QBoxLayout*>(layout()))
    box->setMenuBar(menuBar_);
}

void TForm1::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList paths = vardex::RecentFiles().Paths();
  for (int i = 0; i < paths.size(); ++i) {
    const QString& path = paths[i];
    QAction* action =
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] {
      if (MayDropEdits(QStringLiteral("Opening ") + QFileInfo(path).fileName()))
        OpenConfiguration(path);
    });
  }
  recentMenu_->setEnabled(!paths.isEmpty());
}

void TForm1::PlaceVerifyOption() {
  auto* upload = findChild<QCheckBox*>("CheckBox21");
  verifyBox_ = new QCheckBox(QStringLiteral("Verify after write"), upload->parentWidget());
  verifyBox_->setObjectName("VerifyAfterWrite");
  verifyBox_->setProperty("windowOption", true);  // the window's own, stored in no image
  verifyBox_->setToolTip(
      QStringLiteral("After \"Send finished.\" read the 16 pages back and compare them with what "
                     "was sent."));
  verifyBox_->setChecked(vardex::RecentFiles().VerifyAfterWrite());
  connect(verifyBox_, &QCheckBox::toggled, this,
          [](bool on) { vardex::RecentFiles().SetVerifyAfterWrite(on); });
  PlaceBeside(upload, verifyBox_);
  QWidget::setTabOrder(upload, verifyBox_);
}

void TForm1::PlaceChangesCount() {
  changesButton_ = new QPushButton(this);
  changesButton_->setObjectName("ChangesCount");
  changesButton_->setFlat(true);
  changesButton_->setToolTip(QStringLiteral("List the changed fields"));
  changesButton_->hide();
  connect(changesButton_, &QPushButton::clicked, this, &TForm1::ShowChanges);
  const auto showCount = [this](int count) {
    changesButton_->setText(count == 1 ? QStringLiteral("1 field changed")
                                       : QStringLiteral("%1 fields changed").arg(count));
    changesButton_->setAccessibleName(changesButton_->text());
    changesButton_->setVisible(count > 0);
  };
  showCount(changes_->Count());
  connect(changes_, &vardex::ChangeTracker::CountChanged, this, showCount);
  auto* box = qobject_cast<QBoxLayout*>(layout());
  const int index = box->indexOf(statusLabel_);
  box->removeWidget(statusLabel_);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(statusLabel_, 1);
  row->addWidget(changesButton_, 0, Qt::AlignTop);
  box->insertLayout(index, row);
}

void TForm1::UpdateTitle() {
  QString from;
  switch (source_.kind) {
    case ValuesSource::Kind::kStartUp:
      from = QStringLiteral("start-up values");
      break;
    case ValuesSource::Kind::kRead:
      from = QStringLiteral("the device on %1 read at %2").arg(source_.comName, source_.time);
      break;
    case ValuesSource::Kind::kWritten:
      from = QStringLiteral("written to the device on %1 at %2").arg(source_.comName, source_.time);
      break;
    case ValuesSource::Kind::kFile:
      from = QFileInfo(source_.path).fileName();
      break;
  }
  const bool edited = changes_->Count() > 0;
  // Untouched start-up values keep the plain caption.
  if (source_.kind == ValuesSource::Kind::kStartUp && !edited) {
    setWindowTitle(kTitle);
    return;
  }
  setWindowTitle(QStringLiteral("%1 - %2%3")
                     .arg(kTitle, from, edited ? QStringLiteral(" (edited)") : QString()));
}

void TForm1::ValuesCameFrom(ValuesSource source) {
  source_ = std::move(source);
  changes_->TakeBaseline();
  UpdateTitle();
}

QString TForm1::CurrentComName() const {
  const QString open = link_->OpenComName();
  return open.isEmpty() ? findChild<QComboBox*>("ComboBox2")->currentText() : open;
}

bool TForm1::OpenConfiguration(const QString& path) {
  QString error;
  const std::optional<vardex::ConfigImage> image = vardex::OpenConfigFile(path, error);
  if (!image) {
    boxes_->ShowInformation(QStringLiteral("The configuration was not opened."), error);
    return false;
  }
  ShowConfigImage(*image);
  filePath_ = path;
  vardex::RecentFiles().Add(path);
  ValuesCameFrom({ValuesSource::Kind::kFile, {}, {}, path});
  return true;
}

bool TForm1::SaveConfiguration(const QString& path) {
  // The image "Write config" would send, clock included.
  if (vardex::UploadsPcTime(controls_))
    FillClockFromSystemTime();
  if (!BuildConfigImage())
    return false;
  QString error;
  if (!vardex::SaveConfigFile(path, writeImage_, error)) {
    boxes_->ShowInformation(QStringLiteral("The configuration was not saved."), error);
    return false;
  }
  filePath_ = path;
  vardex::RecentFiles().Add(path);
  ValuesCameFrom({ValuesSource::Kind::kFile, {}, {}, path});
  return true;
}

void TForm1::OpenClick() {
  if (!MayDropEdits(QStringLiteral("Opening a file")))
    return;
  if (const std::optional<QString> path = fileChooser_->ChooseToOpen(this))
    OpenConfiguration(*path);
}

void TForm1::SaveClick() {
  if (filePath_.isEmpty()) {
    SaveAsClick();
    return;
  }
  SaveConfiguration(filePath_);
}

void TForm1::SaveAsClick() {
  const QString suggested =
      filePath_.isEmpty()
          ? QStringLiteral("vardex-%1.img").arg(QDate::currentDate().toString(Qt::ISODate))
          : filePath_;
  if (const std::optional<QString> path = fileChooser_->ChooseToSave(this, suggested))
    SaveConfiguration(*path);
}

void TForm1::ShowChanges() {
  auto* dialog = findChild<vardex::ChangesDialog*>("ChangesDialog");
  if (dialog == nullptr) {
    dialog = new vardex::ChangesDialog(*changes_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
  }
  dialog->show();
  dialog->raise();
}

bool TForm1::MayDropEdits(const QString& action) {
  const int count = changes_->Count();
  if (count == 0)
    return true;
  const vardex::MessageBoxes::Question question{
      QStringLiteral("%1 drops %2 changed %3 that %4 neither written to the device nor saved to "
                     "a file.")
          .arg(action)
          .arg(count)
          .arg(count == 1 ? QStringLiteral("field") : QStringLiteral("fields"))
          .arg(count == 1 ? QStringLiteral("was") : QStringLiteral("were")),
      QStringLiteral("Save them first?"),
      {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")},
      2};
  switch (boxes_->Ask(question)) {
    case 0:
      SaveClick();
      return changes_->Count() == 0;  // saved, or the save failed and the edits stay
    case 1:
      return true;
    default:
      return false;
  }
}

bool TForm1::ConfirmWrite() {
  const QString target = CurrentComName();
  QString held;
  switch (source_.kind) {
    case ValuesSource::Kind::kFile:
      return true;
    case ValuesSource::Kind::kRead:
    case ValuesSource::Kind::kWritten:
      if (source_.comName == target)
        return true;
      held = QStringLiteral("values read from the device on %1").arg(source_.comName);
      break;
    case ValuesSource::Kind::kStartUp:
      held = QStringLiteral("the start-up values");
      break;
  }
  const vardex::MessageBoxes::Question question{
      QStringLiteral("The pages hold %1, not a configuration read from this device or opened "
                     "from a file. %2 replaces the whole configuration of the device on %3 with "
                     "them.")
          .arg(held, Quoted(QStringLiteral("Write config")), target),
      QStringLiteral("To keep the device's configuration, press %1 first, or open a saved file.")
          .arg(Quoted(QStringLiteral("Read config"))),
      {QStringLiteral("Replace configuration"), QStringLiteral("Cancel")},
      1};
  return boxes_->Ask(question) == 0;
}
