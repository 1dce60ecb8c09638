#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// "COM1", "com12": the number of a Windows COM name (any n from 1, written
// without leading zeros, the letters in either case); any other text gives
// nothing.
std::optional<unsigned> WindowsComNumber(std::string_view name);

// The device path that opens COMn: "\\.\COMn", which also reaches COM10 and
// above (a plain "COM10" is taken for a file name).
std::string ComDevicePath(unsigned number);

// COM names as people count them (COM2 before COM10), each once; names that
// are no COM name are dropped.
std::vector<std::string> OrderComNames(const std::vector<std::string>& names);

}  // namespace vardex
