#include "Unit1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Unit2.h"
#include "accessible_lists.h"
#include "accessible_tabs.h"
#include "beacons_dialog.h"
#include "change_tracker.h"
#include "changes_count.h"
#include "check_notes.h"
#include "com_choice.h"
#include "com_list.h"
#include "com_port_hint.h"
#include "com_port_list.h"
#include "config_document.h"
#include "config_file.h"
#include "document_binding.h"
#include "failure_focus.h"
#include "firmware_upload.h"
#include "help_key.h"
#include "help_menu.h"
#include "image_compare.h"
#include "log_actions.h"
#include "log_pane.h"
#include "page_area.h"
#include "page_builder.h"
#include "page_tables.h"
#include "pages/clock_page.h"
#include "pages/page_layouts.h"
#include "port_failure.h"
#include "problem_report_action.h"
#include "recent_files.h"
#include "status_line.h"
#include "tab_order.h"
#include "transfer_controller.h"
#include "transfer_view.h"
#include "window_menus.h"
#include "window_placement.h"

namespace {

constexpr QPoint kDesignPosition{350, 217};

// The connection group's list and its buttons.
struct ConnectionControls {
  QComboBox* ports;
  QPushButton* open;
  QPushButton* close;
  QPushButton* read;
  QPushButton* write;
  QPushButton* upload;
};

ConnectionControls BuildConnectionGroup(QWidget* group) {
  auto* ports = new QComboBox(group);
  ports->setObjectName("ComboBox2");
  ports->setEditable(true);
  ports->setInsertPolicy(QComboBox::NoInsert);
  for (int n = 1; n <= 9; ++n) ports->addItem(QStringLiteral("COM%1").arg(n));
  ports->setCurrentIndex(-1);  // "COM1" is shown, but nothing is selected
  ports->setEditText("COM1");
  vardex::OfferComNamesAboveNine(ports);
  vardex::InstallComPortHint(ports);

  auto* open = vardex::MakeButton(group, "Button1", "Open port");
  auto* close = vardex::MakeButton(group, "Button2", "Close port");
  auto* read = vardex::MakeButton(group, "Button4", "Read config");
  auto* write = vardex::MakeButton(group, "Button5", "Write config");
  auto* upload = vardex::MakeButton(group, "Button3", "Upload firmware");

  auto* row = new QHBoxLayout(group);
  row->addWidget(vardex::MakeLabel(group, "COM Port:", ports));
  row->addWidget(ports);
  row->addSpacing(16);
  for (QPushButton* button : {open, close, read, write, upload}) row->addWidget(button);
  row->addStretch(1);

  QWidget::setTabOrder(ports, open);
  QWidget::setTabOrder(open, read);
  QWidget::setTabOrder(read, write);
  QWidget::setTabOrder(write, upload);
  QWidget::setTabOrder(upload, close);
  return {ports, open, close, read, write, upload};
}

// The ten tab pages, each built from its table and laid out by its layout;
// the controls not laid out by it go under it.
QTabWidget* BuildPages(QWidget* form, vardex::WindowControls& controls) {
  auto* pageControl = new QTabWidget(form);
  pageControl->setObjectName("PageControl1");
  pageControl->setUsesScrollButtons(false);  // all ten captions stay visible
  const std::vector<vardex::PageTable>& tables = vardex::PageTables();
  controls.Pages().reserve(tables.size());
  for (const vardex::PageTable& table : tables) {
    QWidget* page = vardex::AddScrollingPage(
        pageControl,
        QString::fromUtf8(table.sheetName.data(), static_cast<qsizetype>(table.sheetName.size())),
        QString::fromUtf8(table.caption.data(), static_cast<qsizetype>(table.caption.size())));
    controls.Pages().emplace_back(page, table);
  }
  const std::span<const vardex::PageLayout> layouts = vardex::PageLayouts();
  for (std::size_t i = 0; i < controls.Pages().size() && i < layouts.size(); ++i) {
    vardex::PageControls& page = controls.Pages()[i];
    layouts[i](page.Page(), page);
    vardex::PlaceOtherFields(page);
  }
  return pageControl;
}

QProgressBar* MakeProgressBar(QWidget* form) {
  auto* progress = new QProgressBar(form);
  progress->setObjectName("ProgressBar1");
  progress->setRange(0, 100);
  progress->setValue(0);
  progress->setTextVisible(false);  // shown once a transfer has pages to count
  progress->setFormat("%v of %m pages");
  progress->setFixedHeight(20);
  progress->setAccessibleName("Progress");
  return progress;
}

// What the link is doing, in words; two lines are kept for it so the window
// never changes its size.
QLabel* MakeStatusLabel(QWidget* form) {
  auto* label = new QLabel(form);
  label->setObjectName("StatusLine");
  label->setAccessibleName("Status");
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  label->setFixedHeight(2 * label->fontMetrics().lineSpacing() + 4);
  return label;
}

// Tab: the connection group in its own order, the page captions, the
// controls of the page on show as they appear on screen, the log pane.
void OrderTabs(const ConnectionControls& connection, QTabWidget* pageControl,
               const vardex::WindowControls& controls, QWidget* memo) {
  QList<QWidget*> chain = {connection.ports, connection.open,   connection.read,
                           connection.write, connection.upload, connection.close};
  chain.append(pageControl->tabBar());
  for (const vardex::PageControls& page : controls.Pages())
    chain.append(vardex::ScreenOrder(page.Page()));
  chain.append(memo);
  vardex::ChainTabOrder(chain);
}

// A field that failed its rule or did not convert: its box, then the field
// in front to be fixed.
void ReportFailure(vardex::MessageBoxes& boxes, QTabWidget* pageControl,
                   const vardex::WindowControls& controls, vardex::ConfigDocument& document,
                   const vardex::StepResult& result) {
  const QString text = QString::fromStdString(result.text);
  if (result.kind == vardex::StepResult::Kind::kNotAnInteger) {
    boxes.ShowError(vardex::NotAnIntegerText(text));
  } else {
    boxes.ShowInformation(text);
  }
  vardex::ShowFailedControl(pageControl, controls.ControlOf(document.FailedField(result)));
}

const vardex::SystemLocalTimeSource kPcClock;

}  // namespace

TForm1::TForm1(vardex::MessageBoxes* boxes, QWidget* parent, const vardex::LocalTimeSource* clock)
    : QWidget(parent), boxes_(boxes) {
  if (boxes_ == nullptr) {
    ownBoxes_ = std::make_unique<vardex::QtMessageBoxes>(this);
    boxes_ = ownBoxes_.get();
  }
  setObjectName("Form1");
  vardex::InstallListNames();
  vardex::InstallPageTabFocus();
  document_ = new vardex::ConfigDocument(clock != nullptr ? *clock : kPcClock, this);
  auto* group = new QGroupBox("Connection:", this);
  group->setObjectName("GroupBox3");
  const ConnectionControls connection = BuildConnectionGroup(group);
  ports_ = connection.ports;
  connect(connection.open, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(connection.close, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(connection.read, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(connection.write, &QPushButton::clicked, this, &TForm1::Button5Click);
  connect(connection.upload, &QPushButton::clicked, this, &TForm1::Button3Click);
  link_ = new vardex::DeviceLink(this);
  pageControl_ = BuildPages(this, controls_);
  memo_ = new vardex::LogPane(this);
  progress_ = MakeProgressBar(this);
  QLabel* statusLabel = MakeStatusLabel(this);
  status_ = new vardex::StatusLineController(statusLabel, link_, this);
  // The link emits its lines on the window's thread, in the worker's order.
  connect(link_, &vardex::DeviceLink::LogLine, memo_, &vardex::LogPane::Append);
  ConnectTransfers();
  new vardex::ComChoiceWatcher(ports_, status_);

  // The pages show the document's values from here on.
  new vardex::DocumentBinding(controls_, *document_, document_);
  CheckBox21Click();
  ConnectPageControls();

  menus_ = new vardex::WindowMenus(
      this, controls_, *document_, *boxes_, [this](const vardex::StepResult& result) {
        ReportFailure(*boxes_, pageControl_, controls_, *document_, result);
      });
  auto* changesCount = new vardex::ChangesCount(menus_->Changes(), this);
  connect(changesCount, &QPushButton::clicked, menus_, &vardex::WindowMenus::ShowChanges);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // fixed, non-resizable border
  layout->setContentsMargins(8, 0, 8, 0);
  layout->setMenuBar(menus_->Bar());  // above the connection group
  layout->addWidget(group);
  layout->addWidget(pageControl_);
  layout->addWidget(memo_);
  layout->addWidget(progress_);
  layout->addLayout(BuildStatusRow(statusLabel, changesCount));

  OrderTabs(connection, pageControl_, controls_, memo_);
  pageControl_->setCurrentIndex(0);
  setWindowTitle(document_->Title());
  connect(document_, &vardex::ConfigDocument::TitleChanged, this, &QWidget::setWindowTitle);
  move(kDesignPosition);
  AddHelpAndLogActions();
}

// The status line, the station check's notes (and the Tools menu's beacons
// on air) and the count of changes, side by side.
QHBoxLayout* TForm1::BuildStatusRow(QLabel* statusLabel, QWidget* changesCount) {
  auto* statusRow = new QHBoxLayout;
  statusRow->setContentsMargins(0, 0, 0, 0);
  statusRow->addWidget(statusLabel, 1);
  auto* notes =
      new vardex::CheckNotes(pageControl_, menus_->Bar(), [this] { return document_->Settings(); });
  connect(document_, &vardex::ConfigDocument::ValuesReplaced, notes, &vardex::CheckNotes::Later);
  connect(document_, &vardex::ConfigDocument::ValueChanged, notes, &vardex::CheckNotes::Later);
  connect(document_, &vardex::ConfigDocument::ValueTaken, notes, &vardex::CheckNotes::Later);
  statusRow->addWidget(notes->Line(), 0, Qt::AlignVCenter);
  vardex::AddBeaconsOnAir(menus_->Bar(), document_, this);
  statusRow->addWidget(changesCount, 0, Qt::AlignTop);
  return statusRow;
}

void TForm1::AddHelpAndLogActions() {
  const auto tell = [this](const QString& text) { status_->Note(text, true); };
  vardex::InstallHelpKey(this, {}, tell);
  vardex::AddHelpMenu(menus_->Bar(), tell);
  vardex::AddProblemReportAction(
      menus_->Bar(),
      {[this] { return memo_->toPlainText(); }, [this] { return document_->Settings(); },
       [this] { return vardex::DescribeValuesSource(*document_); }},
      [this](const QString& text, bool failed) { status_->Note(text, failed); });
  vardex::AddLogActions(memo_, menus_->Bar());
}

TForm1::~TForm1() {
  // The worker reports into this window: it ends before the window goes.
  link_->Shutdown();
  // Controls going away are no edits to take or mark.
  delete menus_;
  delete document_;
}

QWidget* TForm1::Page(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= controls_.Pages().size())
    return nullptr;
  return controls_.Pages()[static_cast<std::size_t>(index)].Page();
}

bool TForm1::BuildConfigImage() {
  const vardex::StepResult result = document_->BuildImageToSend();
  if (!result.Succeeded()) {
    ReportFailure(*boxes_, pageControl_, controls_, *document_, result);
    return false;
  }
  return true;
}

void TForm1::ShowConfigImage(const vardex::ConfigImage& received) {
  document_->ShowImage(received);
}

const vardex::ConfigImage& TForm1::WriteImage() const {
  return document_->ImageToSend();
}

void TForm1::SetConfigFileChooser(vardex::ConfigFileChooser* chooser) {
  menus_->SetChooser(chooser);
}

bool TForm1::OpenConfiguration(const QString& path) {
  return menus_->Open(path);
}

bool TForm1::SaveConfiguration(const QString& path) {
  return menus_->Save(path);
}

vardex::ChangeTracker& TForm1::Changes() {
  return menus_->Changes();
}

void TForm1::Button1Click() {
  // The list's text decides: a selected entry shows its own text, and text
  // typed over an earlier selection means what it says. Only "COM1" to
  // "COM9" resolve to a port.
  const QString name = ports_->currentText();
  if (!link_->OpenPort(name)) {
    const vardex::PortFailureContext context{
        name.toStdString(), link_->LastOpenPath().toStdString(), vardex::DefaultLinkDirectory(),
        vardex::ComPortHint().toStdString()};
    boxes_->ShowInformation(
        "Serial port open error. Try to reconnect the device and reset application.",
        QString::fromStdString(vardex::PortFailureText(link_->LastOpenFailure(), context)));
    return;
  }
  status_->PortOpened();
  boxes_->ShowInformation("Serial port opened successfully.");
}

void TForm1::Button2Click() {
  link_->ClosePort();
  status_->PortClosed();
}

void TForm1::Button5Click() {
  // The PC's time goes into the clock fields first when
  // "Upload PC system time on config write" is checked.
  if (document_->Settings().clock.uploadPcTime)
    document_->FillClockFromPc();
  if (!BuildConfigImage())
    return;
  // Values that are not this device's own replace its configuration only
  // when the user says so.
  const QString chosen = ports_->currentText();
  if (const auto question = document_->QuestionBeforeWrite(transfers_->TargetPort(chosen))) {
    const vardex::MessageBoxes::Question ask{
        question->text,
        question->detail + pageControl_->findChild<vardex::CheckNotes*>()->Sentence(),
        {QStringLiteral("Replace configuration"), QStringLiteral("Cancel")},
        1};
    if (boxes_->Ask(ask) != 0)
      return;
  }
  transfers_->Write(document_->ImageToSend(), vardex::RecentFiles().VerifyAfterWrite(), chosen);
}

void TForm1::Button3Click() {
  firmwareUpload_->Run(menus_->Chooser(), ports_->currentText());
}

void TForm1::Button4Click() {
  transfers_->Read(ports_->currentText());
}

void TForm1::Button11Click() {
  // The same hidden instance each time; closing it hides it again.
  if (form2_ != nullptr)
    form2_->exec();
}

void TForm1::CheckBox21Click() {
  vardex::ApplyClockBoxesState(controls_);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_)
    return;
  placed_ = true;
  // The page area gives up what the screen cannot hold, then the window
  // keeps its place if it fits there and moves the least needed otherwise.
  const QScreen* screen = this->screen();
  if (screen != nullptr) {
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    vardex::FitPagesInto(this, pageControl_, screen->availableGeometry().size(), frameExtra);
  }
  vardex::PlaceOnScreen(this, kDesignPosition);
}

void TForm1::closeEvent(QCloseEvent* event) {
  const QString question = status_->Status().CloseQuestion();
  if (!question.isEmpty() && !boxes_->AskCloseAnyway(question)) {
    event->ignore();
    return;
  }
  if (!menus_->MayDropEdits(QStringLiteral("Closing the window"))) {
    event->ignore();
    return;
  }
  link_->Shutdown();
  QWidget::closeEvent(event);
}

// The clock's two check boxes and the pages' buttons, as the page tables
// list them.
void TForm1::ConnectPageControls() {
  vardex::ConfigSettings settings;  // where its members lie picks the controls
  for (const void* member : {&settings.clock.uploadPcTime, &settings.clock.useNtp}) {
    if (auto* box = qobject_cast<QCheckBox*>(controls_.ControlOf(settings, member)))
      connect(box, &QCheckBox::clicked, this, &TForm1::CheckBox21Click);
  }
  for (const vardex::PageControls& page : controls_.Pages()) {
    const std::vector<vardex::ButtonRow>& rows = page.Table().buttons;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      QPushButton* button = page.ButtonAt(i);
      if (button == nullptr)
        continue;
      switch (rows[i].action) {
        case vardex::PageAction::kSpecialStrings:
          connect(button, &QPushButton::clicked, this, &TForm1::Button11Click);
          break;
        case vardex::PageAction::kChannelDefaults:
          connect(button, &QPushButton::clicked, document_,
                  [this, channel = rows[i].instance] { document_->ApplyChannelDefaults(channel); });
          break;
      }
    }
  }
}

void TForm1::ConnectTransfers() {
  transfers_ = new vardex::TransferController(
      *link_,
      [](const QString& path, const vardex::ConfigImage& image, QString& error) {
        return vardex::SaveConfigFile(path, image, error);
      },
      this);
  vardex::ShowTransfers(*transfers_, progress_, status_);
  firmwareUpload_ = std::make_unique<vardex::FirmwareUpload>(this, *boxes_, *transfers_);
  connect(transfers_, &vardex::TransferController::ShowImage, document_,
          &vardex::ConfigDocument::TakeRead);
  connect(transfers_, &vardex::TransferController::WriteFinished, document_,
          &vardex::ConfigDocument::MarkWritten);
  connect(transfers_, &vardex::TransferController::BackupSaved, this,
          [](const QString& path) { vardex::RecentFiles().Add(path); });
  connect(transfers_, &vardex::TransferController::UploadRefused, this,
          [this](const QString& text, const QString& detail) {
            boxes_->ShowInformation(text, detail);
          });
}

void TForm1::SetFirmwareFileChooser(vardex::FirmwareFileChooser* chooser) {
  firmwareUpload_->SetChooser(chooser);
}
