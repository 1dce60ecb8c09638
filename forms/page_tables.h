#pragma once

#include <string_view>
#include <vector>

#include "control_row.h"
#include "field_table.h"

namespace vardex {

// One tab page: its sheet's object name, its tab caption and its controls in
// window (tab) order.
struct PageTable {
  std::string_view sheetName;
  std::string_view caption;
  std::vector<ControlRow> controls;
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
