#include "pages/clock_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "clock_settings.h"
#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"

namespace vardex {
namespace {

// The date and time boxes with their labels, left to right.
const char* const kTimeBoxes[][2] = {{"clock.year", "Year:"},
                                     {"clock.month", "Month:"},
                                     {"clock.day", "Day:"},
                                     {"clock.hour", "Hour:"},
                                     {"clock.minute", "Minute:"}};

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

  auto* column = new QVBoxLayout;
  column->addWidget(upload);
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

void ShowLocalTime(const WindowControls& controls, const LocalTimeSource& clock) {
  ConfigSettings settings;
  FillClockFromSystemTime(settings.clock, clock);
  ClockSettings& c = settings.clock;
  controls.Show(settings, {&c.year, &c.month, &c.day, &c.hour, &c.minute});
}

bool UploadsPcTime(const WindowControls& controls) {
  ConfigSettings settings;
  auto* upload =
      qobject_cast<QCheckBox*>(controls.ControlOf(settings, &settings.clock.uploadPcTime));
  return upload != nullptr && upload->isChecked();
}

void ApplyClockBoxesState(const WindowControls& controls) {
  const bool editable = !UploadsPcTime(controls);
  ConfigSettings settings;
  ClockSettings& c = settings.clock;
  for (const void* member : {&c.year, &c.month, &c.day, &c.hour, &c.minute}) {
    if (QWidget* box = controls.ControlOf(settings, member))
      box->setEnabled(editable);
  }
}

}  // namespace vardex
