#include "Unit1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Unit2.h"
#include "accessible_lists.h"
#include "accessible_tabs.h"
#include "change_tracker.h"
#include "com_choice.h"
#include "com_list.h"
#include "com_port_hint.h"
#include "com_port_list.h"
#include "config_driver.h"
#include "config_file.h"
#include "failure_focus.h"
#include "firmware_upload.h"
#include "help_key.h"
#include "page_area.h"
#include "page_builder.h"
#include "page_controls.h"
#include "page_tables.h"
#include "pages/clock_page.h"
#include "pages/page_layouts.h"
#include "pages/telemetry_page.h"
#include "port_failure.h"
#include "recent_files.h"
#include "status_line.h"
#include "tab_order.h"
#include "transfer_controller.h"
#include "transfer_view.h"
#include "window_placement.h"

namespace {

constexpr QPoint kDesignPosition{350, 217};

QString Now() {
  return QDateTime::currentDateTime().toString(QStringLiteral("hh:mm"));
}

}  // namespace

TForm1::TForm1(vardex::MessageBoxes* boxes, QWidget* parent, const vardex::LocalTimeSource* clock)
    : QWidget(parent), boxes_(boxes), clock_(clock) {
  if (clock_ == nullptr) {
    ownClock_ = std::make_unique<vardex::SystemLocalTimeSource>();
    clock_ = ownClock_.get();
  }
  if (boxes_ == nullptr) {
    ownBoxes_ = std::make_unique<vardex::QtMessageBoxes>(this);
    boxes_ = ownBoxes_.get();
  }
  setObjectName("Form1");
  vardex::InstallListNames();
  vardex::InstallPageTabFocus();
  auto* group = new QGroupBox("Connection:", this);
  group->setObjectName("GroupBox3");
  BuildConnectionGroup(group);
  link_ = new vardex::DeviceLink(this);
  BuildPages();
  BuildLogAndStatus();
  ConnectTransfers();
  LayOut(group);
  ShowStartUpValues();
  ConnectPageButtons();
  OrderTabs();
  pageControl_->setCurrentIndex(0);
  setWindowTitle("VARDEX Plus Configurator v1.26");
  BuildFileSafety();
  move(kDesignPosition);
  vardex::InstallHelpKey(this, {}, [this](const QString& text) { status_->Note(text, true); });
}

// The ten tab pages, each built from its table.
void TForm1::BuildPages() {
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControl1");
  pageControl_->setUsesScrollButtons(false);  // all ten captions stay visible
  const std::vector<vardex::PageTable>& tables = vardex::PageTables();
  controls_.Pages().reserve(tables.size());
  for (const vardex::PageTable& table : tables) {
    QWidget* page = vardex::AddScrollingPage(
        pageControl_,
        QString::fromUtf8(table.sheetName.data(), static_cast<qsizetype>(table.sheetName.size())),
        QString::fromUtf8(table.caption.data(), static_cast<qsizetype>(table.caption.size())));
    pages_.push_back(page);
    controls_.Pages().emplace_back(page, table);
  }
}

// The log pane, the progress bar and the status line under the pages.
void TForm1::BuildLogAndStatus() {
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setReadOnly(true);
  memo_->setMaximumBlockCount(20000);  // the oldest lines go first; a largest upload logs 3713
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setFixedHeight(73);
  memo_->setAccessibleName("Log");

  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);  // shown once a transfer has pages to count
  progress_->setFormat("%v of %m pages");
  progress_->setFixedHeight(20);
  progress_->setAccessibleName("Progress");

  // What the link is doing, in words; two lines are kept for it so the
  // window never changes its size.
  statusLabel_ = new QLabel(this);
  statusLabel_->setObjectName("StatusLine");
  statusLabel_->setAccessibleName("Status");
  statusLabel_->setWordWrap(true);
  statusLabel_->setTextFormat(Qt::PlainText);
  statusLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  statusLabel_->setFixedHeight(2 * statusLabel_->fontMetrics().lineSpacing() + 4);
  status_ = new vardex::StatusLineController(statusLabel_, link_, this);
  new vardex::ComChoiceWatcher(findChild<QComboBox*>("ComboBox2"), status_);
}

void TForm1::LayOut(QWidget* group) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // fixed, non-resizable border
  layout->setContentsMargins(8, 0, 8, 0);
  layout->addWidget(group);
  layout->addWidget(pageControl_);
  layout->addWidget(memo_);
  layout->addWidget(progress_);
  layout->addWidget(statusLabel_);
}

void TForm1::ShowStartUpValues() {
  // Each page lays out the controls its table builds; the start-up values
  // come from the settings' defaults so they live in one place.
  const std::span<const vardex::PageLayout> layouts = vardex::PageLayouts();
  for (std::size_t i = 0; i < controls_.Pages().size() && i < layouts.size(); ++i) {
    vardex::PageControls& page = controls_.Pages()[i];
    layouts[i](page.Page(), page);
    vardex::PlaceOtherFields(page);
  }
  vardex::ConfigSettings startUp;
  controls_.Show(startUp);
  FillClockFromSystemTime();
  CheckBox21Click();
}

// The buttons and check boxes on the pages.
void TForm1::ConnectPageButtons() {
  connect(findChild<QPushButton*>("Button11"), &QPushButton::clicked, this, &TForm1::Button11Click);
  for (const char* name : {"CheckBox21", "CheckBox14"}) {
    connect(findChild<QCheckBox*>(name), &QCheckBox::clicked, this, &TForm1::CheckBox21Click);
  }
  const std::pair<const char*, void (TForm1::*)()> defaultButtons[] = {
      {"Button6", &TForm1::Button6Click},
      {"Button7", &TForm1::Button7Click},
      {"Button8", &TForm1::Button8Click},
      {"Button9", &TForm1::Button9Click},
      {"Button10", &TForm1::Button10Click}};
  for (const auto& [name, handler] : defaultButtons) {
    connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, handler);
  }
}

void TForm1::OrderTabs() {
  // Tab: the connection group in its own order, the page captions, the
  // controls of the page on show as they appear on screen, the log pane.
  QList<QWidget*> chain;
  for (const char* name : {"ComboBox2", "Button1", "Button4", "Button5", "Button3", "Button2"}) {
    chain.append(findChild<QWidget*>(name));
  }
  chain.append(pageControl_->tabBar());
  for (QWidget* page : pages_) chain.append(vardex::ScreenOrder(page));
  chain.append(memo_);
  vardex::ChainTabOrder(chain);
}

TForm1::~TForm1() {
  // The worker reports into this window: it ends before the window goes.
  link_->Shutdown();
  // Controls going away are no changes to mark.
  delete changes_;
}

void TForm1::BuildConnectionGroup(QWidget* group) {
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

  connect(open, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(close, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(upload, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(read, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(write, &QPushButton::clicked, this, &TForm1::Button5Click);
}

QWidget* TForm1::Page(int index) const {
  return pages_.value(index);
}

void TForm1::ReportStepFailure(const vardex::StepResult& result) {
  const QString text = QString::fromStdString(result.text);
  if (result.kind == vardex::StepResult::Kind::kNotAnInteger) {
    boxes_->ShowError(vardex::NotAnIntegerText(text));
  } else {
    boxes_->ShowInformation(text);
  }
}

bool TForm1::BuildConfigImage() {
  vardex::ConfigSettings settings;
  controls_.Gather(settings);
  const vardex::StepResult result = vardex::BuildConfigImage(settings, writeImage_);
  if (!result.Succeeded()) {
    ReportStepFailure(result);
    // Once the box is closed, the box that failed is in front to be fixed.
    vardex::ShowFailedControl(pageControl_, controls_.ControlOf(settings, result.field));
    return false;
  }
  return true;
}

void TForm1::ShowConfigImage(const vardex::ConfigImage& received) {
  // Start from what the window shows, so fields the device does not give
  // back keep their values.
  vardex::ConfigSettings settings;
  controls_.Gather(settings);
  vardex::ShowConfigImage(received, settings);
  controls_.Show(settings);
}

void TForm1::AppendLog(const QString& line) {
  memo_->appendPlainText(line);
  memo_->verticalScrollBar()->setValue(memo_->verticalScrollBar()->maximum());
}

void TForm1::Button1Click() {
  OpenSerialPort();
}

void TForm1::Button2Click() {
  link_->ClosePort();
  status_->PortClosed();
}

void TForm1::Button3Click() {
  firmwareUpload_->Run(*fileChooser_, findChild<QComboBox*>("ComboBox2")->currentText());
}

void TForm1::Button4Click() {
  transfers_->Read(findChild<QComboBox*>("ComboBox2")->currentText());
}

void TForm1::Button5Click() {
  // The PC's time goes into the clock fields first when
  // "Upload PC system time on config write" is checked.
  if (vardex::UploadsPcTime(controls_))
    FillClockFromSystemTime();
  if (!BuildConfigImage() || !ConfirmWrite())
    return;
  transfers_->Write(writeImage_, verifyBox_->isChecked(),
                    findChild<QComboBox*>("ComboBox2")->currentText());
}

void TForm1::Button11Click() {
  // The same hidden instance each time; closing it hides it again.
  if (form2_ != nullptr)
    form2_->exec();
}

void TForm1::FillClockFromSystemTime() {
  vardex::ShowLocalTime(controls_, *clock_);
}

void TForm1::CheckBox21Click() {
  vardex::ApplyClockBoxesState(controls_);
}

void TForm1::Button6Click() {
  vardex::ApplyChannelDefaultsOnPage(controls_, 1);
}

void TForm1::Button7Click() {
  vardex::ApplyChannelDefaultsOnPage(controls_, 2);
}

void TForm1::Button8Click() {
  vardex::ApplyChannelDefaultsOnPage(controls_, 3);
}

void TForm1::Button9Click() {
  vardex::ApplyChannelDefaultsOnPage(controls_, 4);
}

void TForm1::Button10Click() {
  vardex::ApplyChannelDefaultsOnPage(controls_, 5);
}

void TForm1::ConnectTransfers() {
  // The link emits these on the window's thread, in the worker's order.
  connect(link_, &vardex::DeviceLink::LogLine, this, &TForm1::AppendLog);
  transfers_ = new vardex::TransferController(
      *link_,
      [](const QString& path, const vardex::ConfigImage& image, QString& error) {
        return vardex::SaveConfigFile(path, image, error);
      },
      this);
  vardex::ShowTransfers(*transfers_, progress_, status_);
  firmwareUpload_ = std::make_unique<vardex::FirmwareUpload>(this, *boxes_, *transfers_);
  connect(transfers_, &vardex::TransferController::ShowImage, this,
          [this](const vardex::ConfigImage& image, const QString& port) {
            ShowConfigImage(image);
            filePath_.clear();  // "Save" asks for a name rather than overwrite the last file
            ValuesCameFrom({ValuesSource::Kind::kRead, port, Now(), {}});
          });
  connect(transfers_, &vardex::TransferController::WriteFinished, this,
          [this](const QString& port) {
            ValuesCameFrom({ValuesSource::Kind::kWritten, port, Now(), {}});
          });
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

bool TForm1::OpenSerialPort() {
  // The list's text decides: a selected entry shows its own text, and text
  // typed over an earlier selection means what it says. Only "COM1" to
  // "COM9" resolve to a port.
  const QString name = findChild<QComboBox*>("ComboBox2")->currentText();
  if (!link_->OpenPort(name)) {
    const vardex::PortFailureContext context{
        name.toStdString(), link_->LastOpenPath().toStdString(), vardex::DefaultLinkDirectory(),
        vardex::ComPortHint().toStdString()};
    boxes_->ShowInformation(
        "Serial port open error. Try to reconnect the device and reset application.",
        QString::fromStdString(vardex::PortFailureText(link_->LastOpenFailure(), context)));
    return false;
  }
  status_->PortOpened();
  boxes_->ShowInformation("Serial port opened successfully.");
  return true;
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
  if (!MayDropEdits(QStringLiteral("Closing the window"))) {
    event->ignore();
    return;
  }
  link_->Shutdown();
  QWidget::closeEvent(event);
}
