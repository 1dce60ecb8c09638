#include "beacons_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <memory>

#include "beacon_check.h"
#include "config_document.h"
#include "field_table.h"
#include "page_tables.h"
#include "tools_menu.h"

namespace vardex {
namespace {

QString Ways(const BeaconOnAir& beacon) {
  if (beacon.toRf && beacon.toAprsIs)
    return QStringLiteral("RF and APRS-IS");
  return beacon.toRf ? QStringLiteral("RF") : QStringLiteral("APRS-IS");
}

QStyle::StandardPixmap IconOf(AprsVerdict verdict) {
  switch (verdict) {
    case AprsVerdict::kRead:
      return QStyle::SP_DialogApplyButton;
    case AprsVerdict::kReadWarning:
      return QStyle::SP_MessageBoxWarning;
    case AprsVerdict::kRefused:
      break;
  }
  return QStyle::SP_MessageBoxCritical;
}

}  // namespace

BeaconsDialog::BeaconsDialog(SettingsSource settings, MessagePut put, QWidget* parent)
    : QDialog(parent),
      settings_(std::move(settings)),
      putMessage_(std::move(put)),
      list_(new QListWidget(this)),
      symbols_(new QComboBox(this)),
      put_(new QPushButton(QStringLiteral("&Put into message"), this)),
      putNote_(new QLabel(this)) {
  setObjectName("BeaconsDialog");
  setWindowTitle(QStringLiteral("Beacons on the air"));
  auto* intro = new QLabel(
      QStringLiteral("Each beacon that is on, as the device sends it now: <date> is the time in "
                     "UTC, <lat> and <long> come from the Radio page. Below each, what the APRS "
                     "network reads in it. It follows your edits."),
      this);
  intro->setTextFormat(Qt::PlainText);
  intro->setWordWrap(true);

  list_->setObjectName("BeaconsOnAirList");
  list_->setAccessibleName(QStringLiteral("Beacons on the air"));
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setAlternatingRowColors(true);
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list_->setMinimumSize(640, 320);
  connect(list_, &QListWidget::currentRowChanged, this, &BeaconsDialog::ChosenChanged);

  symbols_->setObjectName("BeaconSymbolChooser");
  symbols_->setAccessibleName(QStringLiteral("Symbol"));
  symbols_->setToolTip(QStringLiteral("APRS symbols by name, with their two characters"));
  for (const NamedSymbol& named : NamedSymbols()) {
    symbols_->addItem(QString::fromStdString(SymbolText(named.symbol)),
                      QString(QChar(named.symbol.table)) + QChar(named.symbol.code));
  }
  auto* symbolLabel = new QLabel(QStringLiteral("&Symbol:"), this);
  symbolLabel->setBuddy(symbols_);
  put_->setObjectName("PutSymbolButton");
  put_->setAccessibleName(QStringLiteral("Put the symbol into the chosen beacon's message"));
  connect(put_, &QPushButton::clicked, this, &BeaconsDialog::PutChosenSymbol);
  putNote_->setObjectName("PutSymbolNote");
  putNote_->setTextFormat(Qt::PlainText);
  putNote_->setWordWrap(true);

  auto* chooser = new QHBoxLayout;
  chooser->addWidget(symbolLabel);
  chooser->addWidget(symbols_, 1);
  chooser->addWidget(put_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(list_, 1);
  layout->addLayout(chooser);
  layout->addWidget(putNote_);
  layout->addWidget(buttons);

  settle_.setSingleShot(true);
  settle_.setInterval(150);
  connect(&settle_, &QTimer::timeout, this, &BeaconsDialog::Refresh);
  minute_.setInterval(15000);
  connect(&minute_, &QTimer::timeout, this, &BeaconsDialog::Refresh);
  minute_.start();
  Refresh();
}

void BeaconsDialog::Later() {
  settle_.start();
}

void BeaconsDialog::Refresh() {
  settle_.stop();
  const ConfigSettings settings = settings_();
  const PcClock clock = SystemPcClock();
  const int chosen = ChosenBeacon() != nullptr ? ChosenBeacon()->number : 0;
  beacons_ = BeaconsOnAir(settings, clock.utc);
  const QSignalBlocker quiet(list_);
  list_->clear();
  int row = 0;
  for (std::size_t i = 0; i < beacons_.size(); ++i) {
    const BeaconOnAir& beacon = beacons_[i];
    QString text = QStringLiteral("Beacon %1 (%2)\n%3\n%4")
                       .arg(beacon.number)
                       .arg(Ways(beacon), QString::fromStdString(beacon.Packet()),
                            QString::fromStdString(DescribeReading(beacon.reading)));
    // The first note restates a refusal or warning the line above tells.
    const std::vector<StationFinding> notes = BeaconNotes(settings, beacon.number, clock);
    for (std::size_t n = 0; n < notes.size(); ++n) {
      if (n > 0 || beacon.reading.verdict == AprsVerdict::kRead)
        text += QStringLiteral("\nNote: ") + QString::fromStdString(notes[n].onAir);
      text += QStringLiteral("\nTo do: ") + QString::fromStdString(notes[n].advice);
    }
    auto* item =
        new QListWidgetItem(style()->standardIcon(IconOf(beacon.reading.verdict)), text, list_);
    item->setToolTip(QString::fromStdString(beacon.reading.problem));
    if (beacon.number == chosen)
      row = static_cast<int>(i);
  }
  if (beacons_.empty()) {
    auto* none = new QListWidgetItem(
        QStringLiteral("No beacon is on: a beacon needs a message, and RF or IS chosen."), list_);
    none->setFlags(Qt::ItemIsEnabled);
  } else {
    list_->setCurrentRow(row);
  }
  ChosenChanged();
}

const BeaconOnAir* BeaconsDialog::ChosenBeacon() const {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(beacons_.size()))
    return nullptr;
  return &beacons_[static_cast<std::size_t>(row)];
}

void BeaconsDialog::ChosenChanged() {
  const BeaconOnAir* beacon = ChosenBeacon();
  // Another beacon chosen: the chooser starts from the symbol it holds.
  const int number = beacon != nullptr ? beacon->number : 0;
  if (number != chosenNumber_ && beacon != nullptr && beacon->reading.symbol) {
    const AprsSymbol held = *beacon->reading.symbol;
    const int index = symbols_->findData(QString(QChar(held.table)) + QChar(held.code));
    if (index >= 0)
      symbols_->setCurrentIndex(index);
  }
  chosenNumber_ = number;
  put_->setEnabled(beacon != nullptr && beacon->reading.symbol.has_value());
  if (beacon == nullptr)
    putNote_->setText(QStringLiteral("Choose a beacon above to put a symbol into it."));
  else if (!beacon->reading.symbol)
    putNote_->setText(
        QStringLiteral("Beacon %1 holds no position with a symbol.").arg(beacon->number));
  else
    putNote_->setText(QStringLiteral("The symbol goes into beacon %1's message in place of %2.")
                          .arg(beacon->number)
                          .arg(QString::fromStdString(SymbolText(*beacon->reading.symbol))));
}

void BeaconsDialog::PutChosenSymbol() {
  const BeaconOnAir* beacon = ChosenBeacon();
  const QString characters = symbols_->currentData().toString();
  if (beacon == nullptr || characters.size() != 2)
    return;
  const ConfigSettings settings = settings_();
  const AprsSymbol symbol{characters[0].toLatin1(), characters[1].toLatin1()};
  const std::optional<std::string> message =
      PutSymbol(settings.beacons.beacons[static_cast<std::size_t>(beacon->number - 1)].message,
                settings.radio, symbol);
  if (!message)
    return;
  putMessage_(beacon->number, *message);
  Refresh();
}

void AddBeaconsOnAir(QMenuBar* menuBar, ConfigDocument* document, QWidget* window) {
  QMenu* tools = ToolsMenu(menuBar);
  QAction* open = tools->addAction(QStringLiteral("&Beacons on the air..."));
  open->setObjectName("BeaconsOnAirAction");
  auto dialog = std::make_shared<QPointer<BeaconsDialog>>();
  QObject::connect(open, &QAction::triggered, window, [document, window, dialog] {
    if (*dialog != nullptr) {
      (*dialog)->raise();
      (*dialog)->activateWindow();
      return;
    }
    // The symbol goes in as if typed into the beacon's message box.
    auto* shown = new BeaconsDialog(
        [document] { return document->Settings(); },
        [window](int number, const std::string& message) {
          const ImageField* field = FindField(RecordKey("beacon", number, "message"));
          const FieldPlace place = field != nullptr ? PlaceOf(*field) : FieldPlace{};
          auto* box = place.control == nullptr
                          ? nullptr
                          : window->findChild<QLineEdit*>(
                                QString::fromStdString(place.control->objectName));
          if (box != nullptr)
            box->setText(QString::fromStdString(message));
        },
        window);
    shown->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(document, &ConfigDocument::ValuesReplaced, shown, &BeaconsDialog::Later);
    QObject::connect(document, &ConfigDocument::ValueChanged, shown, &BeaconsDialog::Later);
    QObject::connect(document, &ConfigDocument::ValueTaken, shown, &BeaconsDialog::Later);
    *dialog = shown;
    shown->show();
  });
}

}  // namespace vardex
