#pragma once

#include <cstddef>
#include <string>

#include "page_tables.h"
#include "station_check.h"

namespace vardex {

// Where the window shows a finding's field; both null when no page does.
FieldPlace PlaceOfFinding(const StationFinding& finding);

// "Radio, Callsign (radio.callsign)": the page, the control's label and the
// field's key.
std::string FindingPlaceText(const StationFinding& finding);

// The finding in four lines: where, then indented "On the air:", "To do:"
// and "Source:" lines.
std::string FindingText(const StationFinding& finding);

// "1 note on this configuration", "2 notes on this configuration".
std::string NotesCountText(std::size_t count);

}  // namespace vardex
