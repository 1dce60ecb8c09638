#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control_row.h"
#include "field_table.h"

namespace vardex {

// What a page's button does; the window connects each to its handler.
enum class PageAction {
  kSpecialStrings,   // shows the help window on the beacons' special strings
  kChannelDefaults,  // puts one channel's default parameters in place
};

// A button of a page: it carries no setting.
struct ButtonRow {
  std::string objectName = {};
  std::string caption = {};
  std::string hint = {};   // tool tip, may be empty
  std::string label = {};  // accessible name; empty leaves it to the caption
  PageAction action = PageAction::kSpecialStrings;
  int instance = 0;  // kChannelDefaults: the channel, 1 to 5
};

// One tab page: its sheet's object name, its tab caption, its controls in
// window (tab) order and its buttons.
struct PageTable {
  std::string_view sheetName;
  std::string_view caption;
  std::vector<ControlRow> controls;
  std::vector<ButtonRow> buttons = {};
};

// The ten pages in tab order: "Radio", "Digipeater", "Beacons", "Network",
// "APRS-IS", "Weather", "RTC/NTP time", "WWW access", "Telnet access",
// "Telemetry module". Built once, never changed.
const std::vector<PageTable>& PageTables();

// Where the window shows an image field: its page and its control. Both null
// for a field no page shows (the web login token).
struct FieldPlace {
  const PageTable* page = nullptr;
  const ControlRow* control = nullptr;
};
FieldPlace PlaceOf(const ImageField& field);

}  // namespace vardex
