#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vardex {

// Which of the two position boxes a text belongs to.
enum class PositionAxis { kLatitude, kLongitude };

// A station's place in hundredths of a minute of arc, north and east
// positive: the unit of the device's position texts, so nothing is lost
// either way.
struct StationPlace {
  int latitude = 0;
  int longitude = 0;
};

// The hundredths of a minute a position text in the device's form names
// ("5221.60N", "01653.63E"); nothing when the text is not that form or
// names no place: a minute of 60 or more, beyond a pole or the date line.
std::optional<int> HundredthsOfMinute(std::string_view deviceForm, PositionAxis axis);

// The place the two device texts name, or nothing when either names none.
std::optional<StationPlace> ReadStationPlace(std::string_view latitude, std::string_view longitude);

// The device's form of `hundredths` ("5221.60N", "01653.63E").
std::string DeviceForm(int hundredths, PositionAxis axis);

// Signed decimal degrees, five places, as maps take them ("52.36000").
std::string DecimalDegrees(int hundredths);

// The six-character Maidenhead locator of the square the place lies in
// ("JO82ki"); the poles and the date line count to the last square.
std::string MaidenheadLocator(const StationPlace& place);

}  // namespace vardex
