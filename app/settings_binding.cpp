#include "settings_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include "pages/access_pages.h"
#include "pages/aprs_is_page.h"
#include "pages/beacons_page.h"
#include "pages/clock_page.h"
#include "pages/digipeater_page.h"
#include "pages/network_page.h"
#include "pages/radio_page.h"
#include "pages/report_block_rows.h"
#include "pages/telemetry_page.h"
#include "pages/weather_page.h"

namespace {

constexpr const char* kTypingLimit = "typingLimit";

// A decoded text is shown in full even when it is longer than what the user
// may type; the box's typing limit comes back once the user shortens it.
void SetTextUncut(QLineEdit* edit, const QString& text) {
  const QVariant saved = edit->property(kTypingLimit);
  const int typingLimit = saved.isValid() ? saved.toInt() : edit->maxLength();
  if (!saved.isValid()) {
    edit->setProperty(kTypingLimit, typingLimit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
      const int limit = edit->property(kTypingLimit).toInt();
      if (edit->maxLength() > limit && typed.size() <= limit)
        edit->setMaxLength(limit);
    });
  }
  edit->setMaxLength(std::max(typingLimit, static_cast<int>(text.size())));
  edit->setText(text);
}

}  // namespace

QWidget* SettingsBinder::Find(const QString& name) const {
  auto* widget = root_->findChild<QWidget*>(name);
  Q_ASSERT_X(widget != nullptr, "SettingsBinder", qPrintable(name));
  return widget;
}

void SettingsBinder::Text(const QString& name, std::string& value) {
  QWidget* widget = Find(name);
  if (auto* list = qobject_cast<QComboBox*>(widget)) {
    if (direction_ == Direction::kFromWidgets) {
      value = list->currentText().toStdString();
    } else {
      list->setEditText(QString::fromStdString(value));
    }
    return;
  }
  auto* edit = qobject_cast<QLineEdit*>(widget);
  if (direction_ == Direction::kFromWidgets) {
    value = edit->text().toStdString();
  } else {
    SetTextUncut(edit, QString::fromStdString(value));
  }
}

void SettingsBinder::List(const QString& name, int& index) {
  auto* list = qobject_cast<QComboBox*>(Find(name));
  if (direction_ == Direction::kFromWidgets) {
    // Typing over a list leaves no item selected unless the text is an item's.
    index = list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
  } else {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
  }
}

void SettingsBinder::Check(const QString& name, bool& checked) {
  auto* check = qobject_cast<QCheckBox*>(Find(name));
  if (direction_ == Direction::kFromWidgets) {
    checked = check->isChecked();
  } else {
    check->setChecked(checked);
  }
}

void BindAllSettings(SettingsBinder& binder, vardex::ConfigSettings& settings) {
  BindRadio(binder, settings.radio);
  BindDigipeater(binder, settings.digipeater);
  BindBeacons(binder, settings.beacons);
  BindNetwork(binder, settings.network);
  BindAprsIs(binder, settings.aprsIs);
  BindWeather(binder, settings.weather);
  BindClock(binder, settings.clock);
  BindAccess(binder, settings.access);
  BindTelemetry(binder, settings.telemetry);
  BindTelemetryReports(binder, settings.telemetryData, settings.telemetryParameters);
}

vardex::ConfigSettings GatherSettings(QWidget* root) {
  vardex::ConfigSettings settings;
  SettingsBinder binder(root, SettingsBinder::Direction::kFromWidgets);
  BindAllSettings(binder, settings);
  return settings;
}

void ShowSettings(QWidget* root, vardex::ConfigSettings settings) {
  SettingsBinder binder(root, SettingsBinder::Direction::kToWidgets);
  BindAllSettings(binder, settings);
}
