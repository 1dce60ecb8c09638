#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "station_place.h"

namespace vardex {

// A position as a map gives it, turned into the device's form:
//   decimal degrees           "52.3600", "-16.8938", "52.36N", "N52.36"
//   degrees, decimal minutes  "52 21.6N", "52°21.60'N"
//   degrees, minutes, seconds "52°21'36\"N", "52 21 36 N"
// A hemisphere letter (either case) or a sign gives the side; without
// either the place is north or east. Degrees take at most three digits, so
// the device's own form never reads as degrees. Nothing comes back for the
// device's form, for text that reads neither way or ambiguously, and for a
// place beyond a pole or the date line: the box keeps what was typed.
std::optional<std::string> DeviceFormFromDegrees(std::string_view typed, PositionAxis axis);

// Latitude and longitude as maps copy them, with a comma between
// ("52.36000, 16.89383"), in the device's forms; nothing unless both read.
struct DeviceForms {
  std::string latitude;
  std::string longitude;
};
std::optional<DeviceForms> DeviceFormsFromPair(std::string_view copied);

// Whether `typed` says its side: a sign or a hemisphere letter.
bool NamesASide(std::string_view typed);

}  // namespace vardex
