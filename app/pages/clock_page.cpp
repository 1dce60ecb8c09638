#include "pages/clock_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>

#include "page_builder.h"
#include "settings_binding.h"

namespace {

struct ClockBox {
  const char* label;
  const char* name;
  int maxLength;
  std::string vardex::ClockSettings::*text;
};

// In the order they are filled, enabled and disabled.
const std::array<ClockBox, 5> kClockBoxes = {{
    {"Year:", "Edit36", 4, &vardex::ClockSettings::year},
    {"Month:", "Edit40", 2, &vardex::ClockSettings::month},
    {"Day:", "Edit41", 2, &vardex::ClockSettings::day},
    {"Hour:", "Edit42", 2, &vardex::ClockSettings::hour},
    {"Minute:", "Edit43", 2, &vardex::ClockSettings::minute},
}};

void BindClockTime(SettingsBinder& b, vardex::ClockSettings& s) {
  for (const ClockBox& box : kClockBoxes) b.Text(box.name, s.*box.text);
}

}  // namespace

void BuildClockPage(QWidget* page) {
  auto* upload =
      MakeCheck(page, "CheckBox21", "Upload PC system time on config write",
                "If selected, the application will send current PC time on config save.");

  auto* time = new QHBoxLayout;
  for (const ClockBox& box : kClockBoxes) {
    auto* edit = MakeEdit(page, box.name, box.maxLength);
    edit->setFixedWidth(box.maxLength == 4 ? 48 : 32);
    time->addWidget(MakeLabel(page, box.label, edit));
    time->addWidget(edit);
    time->addSpacing(8);
  }
  time->addStretch(1);

  auto* ntp =
      MakeCheck(page, "CheckBox14", "Use NTP server",
                "If selected, the device will synchronize time with network time protocol server.");
  auto* ntpServer =
      MakeEdit(page, "Edit28", 31, "Network time protocol server IP for time synchronization.");
  ntpServer->setFixedWidth(220);
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

void BindClock(SettingsBinder& b, vardex::ClockSettings& s) {
  b.Check("CheckBox21", s.uploadPcTime);
  BindClockTime(b, s);
  b.Check("CheckBox14", s.useNtp);
  b.Text("Edit28", s.ntpServer);
}

void ShowLocalTime(QWidget* root, const vardex::LocalTimeSource& clock) {
  vardex::ClockSettings settings;
  vardex::FillClockFromSystemTime(settings, clock);
  SettingsBinder show(root, SettingsBinder::Direction::kToWidgets);
  BindClockTime(show, settings);
}

bool UploadsPcTime(QWidget* root) {
  return root->findChild<QCheckBox*>("CheckBox21")->isChecked();
}

void ApplyClockBoxesState(QWidget* root) {
  const bool editable = !UploadsPcTime(root);
  for (const ClockBox& box : kClockBoxes)
    root->findChild<QLineEdit*>(box.name)->setEnabled(editable);
}
