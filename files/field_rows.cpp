#include "field_rows.h"

#include "config_driver.h"
#include "field_codec.h"

namespace vardex {

const std::vector<FieldRow>& ImageFieldRows() {
  static const std::vector<FieldRow> rows = [] {
    std::vector<FieldRow> all;
    for (const PageTable& page : PageTables()) {
      for (const ControlRow& control : page.controls) {
        // Left out: settings of the window alone (the PC time option).
        if (control.field->kind != FieldKind::kNotStored)
          all.push_back({&page, &control});
      }
    }
    return all;
  }();
  return rows;
}

ConfigSettings SettingsFromImage(const ConfigImage& image) {
  ConfigSettings settings;
  ShowConfigImage(image, settings);
  DecodeClockWords(image, settings);
  return settings;
}

std::string ShownValue(const ControlRow& control, ConfigSettings& settings) {
  const SettingRef ref = control.Setting(settings);
  switch (control.kind) {
    case ControlKind::kEdit:
    case ControlKind::kListText:
      return *ref.text;
    case ControlKind::kList: {
      const int index = *ref.index;
      if (index < 0 || static_cast<std::size_t>(index) >= control.items.size())
        return {};
      return std::string(control.items[static_cast<std::size_t>(index)]);
    }
    case ControlKind::kCheck:
      return *ref.check ? "yes" : "no";
  }
  return {};
}

bool SetShownValue(const ControlRow& control, std::string_view value, ConfigSettings& settings,
                   std::string& error) {
  const SettingRef ref = control.Setting(settings);
  switch (control.kind) {
    case ControlKind::kEdit:
    case ControlKind::kListText:
      *ref.text = value;
      return true;
    case ControlKind::kList: {
      if (value.empty()) {
        *ref.index = -1;
        return true;
      }
      std::string entries;
      for (std::size_t i = 0; i < control.items.size(); ++i) {
        if (control.items[i] == value) {
          *ref.index = static_cast<int>(i);
          return true;
        }
        entries += (i == 0 ? "" : ", ") + std::string(control.items[i]);
      }
      error = "is none of: " + entries + " (or empty for no selection)";
      return false;
    }
    case ControlKind::kCheck:
      if (value == "yes" || value == "no") {
        *ref.check = value == "yes";
        return true;
      }
      error = "wants yes or no";
      return false;
  }
  return false;
}

}  // namespace vardex
