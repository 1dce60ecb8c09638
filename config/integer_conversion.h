#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vardex {

// The conversion every number box goes through: optional leading blanks, then
// either a signed decimal inside the 32-bit range, or an unsigned hexadecimal
// of at most 8 digits after "$", "x", "X", "0x" or "0X" whose 32 bits are taken
// as signed. The whole text must be used up. Empty on failure.
std::optional<std::int32_t> ConvertInteger(std::string_view text);

// 0 to 15 for a hexadecimal digit of either case, else -1.
int HexDigitValue(char c);

}  // namespace vardex
