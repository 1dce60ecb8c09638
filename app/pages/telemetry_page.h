#pragma once

namespace vardex {

class WindowControls;

// What "Default parameters" of channel `channelNumber` (1 to 5) does: the
// name, units and coefficients that suit the selected source; nothing when
// no source is selected.
void ApplyChannelDefaultsOnPage(const WindowControls& controls, int channelNumber);

}  // namespace vardex
