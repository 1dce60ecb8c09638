#pragma once

#include <string_view>

namespace vardex {

// Plain text: UTF-8 without control characters other than line ends and tabs.
bool LooksLikeText(std::string_view contents);

// What a file chosen as a firmware looks like when it is not one: "a
// configuration image" (2048 bytes whose checksum holds), "a text file", or
// empty. The window asks before sending such a file; vardex flash refuses it.
std::string_view NotFirmwareKind(std::string_view contents);

}  // namespace vardex
