#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config_settings.h"
#include "image_field.h"

namespace vardex {

// How a control shows its setting.
enum class ControlKind {
  kEdit,      // an edit box; its text is the value
  kList,      // a drop-down list; its selection index is the value (-1 for none)
  kListText,  // an editable drop-down list; its text is the value
  kCheck,     // a check box; checked or not
};

// One control of a page.
struct ControlRow {
  std::string objectName = {};  // the control's object name, e.g. "Edit2"
  // The words the page shows for it, without a trailing ':'; for grid cells
  // the row's and the column's words ("Beacon 3 Path(n-N)"). Unique within
  // its page, and the control's accessible name.
  std::string label = {};
  ControlKind kind = ControlKind::kEdit;
  int maxLength = 0;      // characters an edit box admits when typing; 0 for the others
  int width = 0;          // fixed width in pixels, 0 when the page sizes the control
  std::string hint = {};  // tool tip, may be empty
  std::vector<std::string_view> items = {};  // a list's entries
  std::string_view caption = {};             // a check box's caption, may be empty
  // The key of the image field the control carries ("radio.txDelay"); its
  // setting and its rules are the field's.
  std::string key = {};
  const ImageField* field = nullptr;  // the field called `key`
  // Rows of a page that belong together (a beacon, a path row, a server,
  // a channel) share this number.
  int instance = 0;

  SettingRef Setting(ConfigSettings& settings) const { return field->Setting(settings); }
};

}  // namespace vardex
