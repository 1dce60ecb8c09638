#pragma once

#include <string>
#include <string_view>

#include "config_settings.h"

namespace vardex {

// The readable form of an image: one "[Page]" section per tab page and one
// "label = value" line per field, in window order, values as the window
// shows them. A value with blanks at either end, a control character or a
// leading double quote is written in double quotes with \-escapes (\\, \",
// \t, \n, \r, \xHH); everything else stands as it is.
std::string ExportText(ConfigSettings settings);

// The text form as `vardex show` prints it: after the longitude, the place
// the position names, "Locator = JO82ki" and "Decimal position = 52.36000,
// 16.89383" (empty when it names none). They follow from the position and
// ImportText skips them.
std::string ShowText(ConfigSettings settings);

// Applies a text form over `settings` (fields it leaves out keep their
// values). Blank lines and lines starting with '#' or ';' are skipped.
// A byte-order mark at the start is skipped. Unknown sections and keys, a key
// given twice, a key before any section, a control character in a line (NUL,
// BEL, ESC...: a value writes one as \xHH) and bad values are refused:
// `error` then reads "NAME:LINE: ...", with what it quotes escaped.
bool ImportText(std::string_view text, std::string_view name, ConfigSettings& settings,
                std::string& error);

// `text` with its control characters (C0, DEL, C1) written as \xHH: what a
// message quotes from a file must not steer the terminal that shows it.
std::string EscapeControls(std::string_view text);

// A value as it stands in the text form (quoted when needed).
std::string QuoteValue(std::string_view value);

}  // namespace vardex
