#include "station_place.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "degrees_text.h"

namespace vardex {
namespace {

constexpr auto kLat = PositionAxis::kLatitude;
constexpr auto kLon = PositionAxis::kLongitude;

// What a map gives, and what the box shows when it is left ("" stays as typed).
struct TypedCase {
  PositionAxis axis;
  std::string typed;
  std::string deviceForm;
};

TEST(DeviceFormFromDegrees, TurnsWhatReadsAsDegreesAndLeavesTheRest) {
  const std::string deg = "\xC2\xB0";         // the degree sign, in UTF-8
  const std::string primes = "\xE2\x80\xB2";  // and the prime
  const std::vector<TypedCase> cases = {
      // 52.36 degrees = 52 degrees 21.6 minutes = 52 degrees 21 minutes 36 seconds
      {kLat, "52.3600", "5221.60N"},
      {kLat, "52.36n", "5221.60N"},
      {kLat, "N52.36", "5221.60N"},
      {kLat, "52 21.6N", "5221.60N"},
      {kLat, "52" + deg + "21.60'N", "5221.60N"},
      {kLat, "52" + deg + "21'36\"N", "5221.60N"},
      {kLat, "52 21 36 N", "5221.60N"},
      {kLat, "52" + deg + " 21" + primes + " 36\" N", "5221.60N"},
      // 0.8688 degrees = 52.128 minutes; 0.8938 degrees = 53.628 minutes,
      // 37.68 seconds = 0.628 minutes
      {kLat, "-33.8688", "3352.13S"},
      {kLat, "33.8688S", "3352.13S"},
      {kLon, "16.8938", "01653.63E"},
      {kLon, "-16.8938", "01653.63W"},
      {kLon, "016" + deg + "53'37.68\"E", "01653.63E"},
      // Rounding to hundredths of a minute, up to the next degree; the ends.
      {kLat, "52 59.995N", "5300.00N"},
      {kLat, "52 59.994", "5259.99N"},
      {kLat, "52.99999", "5300.00N"},
      {kLon, "179 59.999W", "18000.00W"},
      {kLon, "0.0001W", "00000.01W"},
      {kLat, "0", "0000.00N"},
      {kLat, "90S", "9000.00S"},
      {kLat, "90.00001", "9000.00N"},
      {kLon, "180", "18000.00E"},
      {kLon, "-180", "18000.00W"},
  };
  for (const TypedCase& c : cases) {
    EXPECT_EQ(DeviceFormFromDegrees(c.typed, c.axis).value_or(""), c.deviceForm) << c.typed;
  }
  // Left as typed: the device's form, broken forms, beyond the range, the
  // other box's letter, a sign and a letter, misplaced parts.
  const std::vector<std::string> latitudes = {
      "5221.60N", "521.60N", "9999.99S", "90.001",  "90 0.1", "16.8938E", "-52.36N", "52 60",
      "52 21 60", "52.5 30", "52,36",    "52 N 21", "52.",    "",         "-",       "52'21" + deg};
  for (const std::string& typed : latitudes)
    EXPECT_FALSE(DeviceFormFromDegrees(typed, kLat).has_value()) << typed;
  for (const std::string typed : {"01653.63E", "1653.63E", "180.01", "52.36N"})
    EXPECT_FALSE(DeviceFormFromDegrees(typed, kLon).has_value()) << typed;
}

TEST(DeviceFormsFromPair, ReadsLatitudeCommaLongitude) {
  const std::vector<std::string> pairs[] = {{"52.36000, 16.89383", "5221.60N", "01653.63E"},
                                            {"-33.8688,-16.8938", "3352.13S", "01653.63W"},
                                            {"52.36000 16.89383"},
                                            {"16.8938E, 52.36N"},
                                            {"52.36, 16.89, 1"},
                                            {","}};
  for (const std::vector<std::string>& pair : pairs) {
    const std::optional<DeviceForms> forms = DeviceFormsFromPair(pair[0]);
    EXPECT_EQ(forms.has_value(), pair.size() == 3) << pair[0];
    if (forms) {
      EXPECT_EQ(forms->latitude, pair[1]);
      EXPECT_EQ(forms->longitude, pair[2]);
    }
  }
}

TEST(HundredthsOfMinute, ReadsTheDeviceFormAsDecimalDegrees) {
  const std::vector<TypedCase> cases = {
      {kLat, "5221.60N", "52.36000"},  {kLon, "01653.63E", "16.89383"},
      {kLat, "3352.13S", "-33.86883"}, {kLon, "18000.00W", "-180.00000"},
      {kLat, "0000.00N", "0.00000"},   {kLat, "9000.00S", "-90.00000"},
      {kLat, "0000.01N", "0.00017"},   {kLat, "9000.01N", ""},
      {kLat, "5260.00N", ""},          {kLon, "18000.01E", ""},
      {kLat, "9999.99S", ""},          {kLat, "5221.60n", ""},
      {kLon, "5221.60N", ""},          {kLat, "01653.63E", ""},
  };
  for (const TypedCase& c : cases) {
    const std::optional<int> hundredths = HundredthsOfMinute(c.typed, c.axis);
    EXPECT_EQ(hundredths ? DecimalDegrees(*hundredths) : "", c.deviceForm) << c.typed;
    if (hundredths) {
      EXPECT_EQ(DeviceForm(*hundredths, c.axis), c.typed);
    }
  }
}

// Each worked out from the locator's definition: from 180 degrees west and
// the south pole, fields of 20 x 10 degrees (A-R), squares of 2 x 1 degrees
// (0-9), subsquares of 5 x 2.5 minutes (a-x).
TEST(MaidenheadLocator, NamesTheSquaresOfKnownPlaces) {
  struct Place {
    const char* name;
    const char* latitude;
    const char* longitude;
    const char* locator;
  };
  const std::vector<Place> places = {
      // 196.894 E of 180 W: field J (9), square 8, 0.894 degrees = 10.7 fifths of
      // 5 minutes: k; 142.36 N of the pole: field O (14), square 2, 0.36 x 24 = 8.6: i.
      {"the start-up position, near Poznan", "5221.60N", "01653.63E", "JO82ki"},
      // 179.9985: I, 9, 1.9985 x 12 = 23.98: x; 141.4778: O, 1, 0.4778 x 24 = 11.5: l.
      {"Royal Observatory, Greenwich", "5128.67N", "00000.09W", "IO91xl"},
      // 331.215: Q, 5, 1.215 x 12 = 14.6: o; 56.1432: F, 6, 0.1432 x 24 = 3.4: d.
      {"Sydney Opera House", "3351.41S", "15112.90E", "QF56od"},
      // 121.6177: G, 0, 1.6177 x 12 = 19.4: t; 55.3963: F, 5, 0.3963 x 24 = 9.5: j.
      {"Buenos Aires, Plaza de Mayo", "3436.22S", "05822.94W", "GF05tj"},
      {"the equator on the prime meridian", "0000.00N", "00000.00E", "JJ00aa"},
      {"the south pole at 180 W", "9000.00S", "18000.00W", "AA00aa"},
      {"the north pole at 180 E: the last square", "9000.00N", "18000.00E", "RR99xx"},
  };
  for (const Place& p : places) {
    const std::optional<StationPlace> place = ReadStationPlace(p.latitude, p.longitude);
    ASSERT_TRUE(place.has_value()) << p.name;
    EXPECT_EQ(MaidenheadLocator(*place), p.locator) << p.name;
  }
  EXPECT_FALSE(ReadStationPlace("5221.60N", "01660.00E").has_value());
}

}  // namespace
}  // namespace vardex
