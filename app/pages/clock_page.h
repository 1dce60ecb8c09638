#pragma once

#include "local_time.h"

namespace vardex {

class WindowControls;

// Puts the local time of `clock` into the five date and time boxes.
void ShowLocalTime(const WindowControls& controls, const LocalTimeSource& clock);
// The date and time boxes are editable only while the PC time is not uploaded.
void ApplyClockBoxesState(const WindowControls& controls);
// True when "Upload PC system time on config write" is checked.
bool UploadsPcTime(const WindowControls& controls);

}  // namespace vardex
