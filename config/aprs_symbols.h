#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vardex {

// An APRS symbol as a position carries it: the table character ('/' the
// primary table, '\' the alternate one, or an overlay '0'-'9', 'A'-'Z' on
// the alternate table) and the symbol code ('!' to '~').
struct AprsSymbol {
  char table = '/';
  char code = '-';
  friend bool operator==(const AprsSymbol&, const AprsSymbol&) = default;
};

// One named symbol of the published lists.
struct NamedSymbol {
  AprsSymbol symbol;
  std::string_view name;
};

// Every assigned symbol of both tables, then the overlays that the
// published list names, in that order; for a chooser.
std::span<const NamedSymbol> NamedSymbols();

// "House", "Digipeater (WIDE1-1)", "Car (top view) with overlay 3"; an
// empty text for a code nobody has assigned or a table character that is
// neither table nor overlay.
std::string SymbolName(AprsSymbol symbol);

// "House (/-)": the name and the two characters as typed.
std::string SymbolText(AprsSymbol symbol);

}  // namespace vardex
