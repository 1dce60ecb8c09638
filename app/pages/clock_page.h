#pragma once

namespace vardex {

class WindowControls;

// The date and time boxes are editable only while the PC time is not uploaded.
void ApplyClockBoxesState(const WindowControls& controls);

}  // namespace vardex
