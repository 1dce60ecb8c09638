#pragma once

#include <string>
#include <string_view>

namespace vardex {

// A JSON string literal, quotes included; control characters as \u00XX.
std::string JsonString(std::string_view utf8);

}  // namespace vardex
