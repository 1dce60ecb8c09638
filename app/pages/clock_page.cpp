#include "pages/clock_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "clock_settings.h"
#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"
#include "recent_files.h"

namespace vardex {
namespace {

// The date and time boxes with their labels, left to right.
const char* const kTimeBoxes[][2] = {{"clock.year", "Year:"},
                                     {"clock.month", "Month:"},
                                     {"clock.day", "Day:"},
                                     {"clock.hour", "Hour:"},
                                     {"clock.minute", "Minute:"}};

// "Verify after write": the window's own option, kept between starts and
// stored in no image.
QCheckBox* MakeVerifyOption(QWidget* page) {
  auto* verify = new QCheckBox(QStringLiteral("Verify after write"), page);
  verify->setObjectName("VerifyAfterWrite");
  verify->setProperty("windowOption", true);
  verify->setToolTip(
      QStringLiteral("After \"Send finished.\" read the 16 pages back and compare them with what "
                     "was sent."));
  verify->setChecked(RecentFiles().VerifyAfterWrite());
  QObject::connect(verify, &QCheckBox::toggled, verify,
                   [](bool on) { RecentFiles().SetVerifyAfterWrite(on); });
  return verify;
}

}  // namespace

void BuildClockPage(QWidget* page, PageControls& controls) {
  QWidget* upload = controls.Take("clock.uploadPcTime");

  auto* time = new QHBoxLayout;
  for (const auto& [key, label] : kTimeBoxes) {
    QWidget* edit = controls.Take(key);
    time->addWidget(MakeLabel(page, label, edit));
    time->addWidget(edit);
    time->addSpacing(8);
  }
  time->addStretch(1);

  QWidget* ntp = controls.Take("clock.useNtp");
  QWidget* ntpServer = controls.Take("clock.ntpServer");
  auto* ntpRow = new QHBoxLayout;
  ntpRow->addWidget(MakeLabel(page, "NTP server:", ntpServer));
  ntpRow->addWidget(ntpServer);
  ntpRow->addStretch(1);

  auto* note = new QLabel(
      "Internal Real Time Clock is updated when the device exits config mode and enters normal "
      "mode. To get exact time please change to normal mode quickly after config write.",
      page);
  note->setWordWrap(true);

  auto* uploadRow = new QHBoxLayout;
  uploadRow->addWidget(upload);
  uploadRow->addSpacing(24);
  uploadRow->addWidget(MakeVerifyOption(page));
  uploadRow->addStretch(1);

  auto* column = new QVBoxLayout;
  column->addLayout(uploadRow);
  column->addLayout(time);
  column->addSpacing(12);
  column->addWidget(ntp);
  column->addLayout(ntpRow);
  column->addSpacing(12);
  column->addWidget(note);
  column->addStretch(1);

  auto* outer = new QHBoxLayout(page);
  outer->addSpacing(100);
  outer->addLayout(column, 1);
  outer->addSpacing(100);
}

void ApplyClockBoxesState(const WindowControls& controls) {
  ConfigSettings settings;
  auto* upload =
      qobject_cast<QCheckBox*>(controls.ControlOf(settings, &settings.clock.uploadPcTime));
  const bool editable = upload == nullptr || !upload->isChecked();
  ClockSettings& c = settings.clock;
  for (const void* member : {&c.year, &c.month, &c.day, &c.hour, &c.minute}) {
    if (QWidget* box = controls.ControlOf(settings, member))
      box->setEnabled(editable);
  }
}

}  // namespace vardex
