#include "radio_settings.h"

#include "image_bytes_for_tests.h"
#include "section_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vardex {
namespace {

using testing::Bytes;

TEST(RadioEncode, StartUpPage) {
  ConfigImage image;
  ASSERT_TRUE(EncodeRadioSettings(RadioSettings{}, image).Succeeded());
  EXPECT_EQ(Bytes(image, 4, 8),
            (std::vector<std::uint8_t>{'N', 'O', 'C', 'A', 'L', 'L', 0x30, 0x00}));
  EXPECT_EQ(Bytes(image, 12, 8), (std::vector<std::uint8_t>{0xFA, 0, 0, 0, 0x90, 0x01, 0, 0}));
  EXPECT_EQ(Bytes(image, 20, 8), (std::vector<std::uint8_t>(8, 0))) << "digipeater bytes untouched";
  EXPECT_EQ(Bytes(image, 28, 9),
            (std::vector<std::uint8_t>{'5', '2', '2', '1', '.', '6', '0', 'N', 0}));
  EXPECT_EQ(Bytes(image, 37, 10),
            (std::vector<std::uint8_t>{'0', '1', '6', '5', '3', '.', '6', '3', 'E', 0}));
  EXPECT_EQ(Bytes(image, 47, 2), (std::vector<std::uint8_t>{0, 0}));
}

TEST(RadioEncode, ShortCallsignIsSpacePaddedAndSsidIsACharacter) {
  RadioSettings s;
  s.callsign = "A";
  s.ssid = "12";
  ConfigImage image;
  ASSERT_TRUE(EncodeRadioSettings(s, image).Succeeded());
  EXPECT_EQ(Bytes(image, 4, 8),
            (std::vector<std::uint8_t>{0x41, 0x20, 0x20, 0x20, 0x20, 0x20, 0x3C, 0x00}));

  RadioSettings decoded;
  DecodeRadioSettings(image, decoded);
  EXPECT_EQ(decoded.callsign, "A     ");
  EXPECT_EQ(decoded.ssid, "12");
  ConfigImage again;
  ASSERT_TRUE(EncodeRadioSettings(decoded, again).Succeeded());
  EXPECT_EQ(Bytes(again, 4, 8), Bytes(image, 4, 8)) << "padded callsign round trip";
}

TEST(RadioEncode, SsidCharactersFifteenDown) {
  const char expected[] = {'0', '9', ':', ';', '<', '=', '>', '?'};
  const int ssids[] = {0, 9, 10, 11, 12, 13, 14, 15};
  for (int i = 0; i < 8; ++i) {
    RadioSettings s;
    s.ssid = std::to_string(ssids[i]);
    ConfigImage image;
    ASSERT_TRUE(EncodeRadioSettings(s, image).Succeeded());
    EXPECT_EQ(image.bytes[10], expected[i]) << "SSID " << ssids[i];
  }
}

TEST(RadioEncode, LowerCaseAndAnyCharacterKept) {
  RadioSettings s;
  s.callsign = "sp3abc";
  ConfigImage image;
  ASSERT_TRUE(EncodeRadioSettings(s, image).Succeeded());
  EXPECT_EQ(Bytes(image, 4, 6), (std::vector<std::uint8_t>{'s', 'p', '3', 'a', 'b', 'c'}));
  s.callsign = "\xC3\xA9\xE2\x82\xAC";  // e-acute (Latin-1 0xE9) and the euro sign (none)
  ASSERT_TRUE(EncodeRadioSettings(s, image).Succeeded());
  EXPECT_EQ(Bytes(image, 4, 6), (std::vector<std::uint8_t>{0xE9, '?', ' ', ' ', ' ', ' '}));
}

struct RuleCase {
  const char* name;
  void (*change)(RadioSettings&);
  const char* message;  // empty: passes
};

const char kSsid[] = "Callsign - SSID range error (0 - 15).";
const char kPreamble[] = "Preamble len - range error (200 - 1000).";
const char kQuiet[] = "Quiet time - range error (200 - 3000).";
const char kLat[] = "Latitude - syntax error (ex. 5221.60N).";
const char kLong[] = "Longitude - syntax error (ex. 01653.63E).";

class RadioRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RadioRules, FirstFailingCheckIsReported) {
  RadioSettings s;
  GetParam().change(s);
  ConfigImage image;
  const StepResult result = EncodeRadioSettings(s, image);
  if (std::string(GetParam().message).empty()) {
    EXPECT_TRUE(result.Succeeded()) << result.text;
  } else {
    EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
    EXPECT_EQ(result.text, GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, RadioRules,
    ::testing::Values(
        RuleCase{"EmptyCallsign", [](RadioSettings& s) { s.callsign = ""; },
                 "Callsign - too short (ex. NOCALL-4)."},
        RuleCase{"EmptyCallsignBeforeBadSsid",
                 [](RadioSettings& s) {
                   s.callsign = "";
                   s.ssid = "16";
                 },
                 "Callsign - too short (ex. NOCALL-4)."},
        RuleCase{"Ssid15", [](RadioSettings& s) { s.ssid = "15"; }, ""},
        RuleCase{"Ssid16", [](RadioSettings& s) { s.ssid = "16"; }, kSsid},
        RuleCase{"SsidMinus1", [](RadioSettings& s) { s.ssid = "-1"; }, kSsid},
        RuleCase{"TxDelay200", [](RadioSettings& s) { s.txDelay = "200"; }, ""},
        RuleCase{"TxDelay1000", [](RadioSettings& s) { s.txDelay = "1000"; }, ""},
        RuleCase{"TxDelay199", [](RadioSettings& s) { s.txDelay = "199"; }, kPreamble},
        RuleCase{"TxDelay1001", [](RadioSettings& s) { s.txDelay = "1001"; }, kPreamble},
        RuleCase{"TxDelayNegativeIsLargeUnsigned", [](RadioSettings& s) { s.txDelay = "-5"; },
                 kPreamble},
        RuleCase{"Quiet200", [](RadioSettings& s) { s.quietTime = "200"; }, ""},
        RuleCase{"Quiet3000", [](RadioSettings& s) { s.quietTime = "3000"; }, ""},
        RuleCase{"Quiet199", [](RadioSettings& s) { s.quietTime = "199"; }, kQuiet},
        RuleCase{"Quiet3001", [](RadioSettings& s) { s.quietTime = "3001"; }, kQuiet},
        RuleCase{"QuietNegative", [](RadioSettings& s) { s.quietTime = "-200"; }, kQuiet},
        RuleCase{"LatitudeNoRangeCheck", [](RadioSettings& s) { s.latitude = "9999.99S"; }, ""},
        RuleCase{"LatitudeLowerCaseHemisphere", [](RadioSettings& s) { s.latitude = "5221.60n"; },
                 kLat},
        RuleCase{"LatitudeComma", [](RadioSettings& s) { s.latitude = "5221,60N"; }, kLat},
        RuleCase{"LatitudeSevenCharacters", [](RadioSettings& s) { s.latitude = "521.60N"; }, kLat},
        RuleCase{"LatitudeNineCharacters", [](RadioSettings& s) { s.latitude = "05221.60N"; },
                 kLat},
        RuleCase{"LatitudeLetterAsDigit", [](RadioSettings& s) { s.latitude = "52A1.60N"; }, kLat},
        RuleCase{"LatitudeEast", [](RadioSettings& s) { s.latitude = "5221.60E"; }, kLat},
        RuleCase{"LatitudeNonLatin1", [](RadioSettings& s) { s.latitude = "5221.60\xE2\x82\xAC"; },
                 kLat},
        RuleCase{"LongitudeWest", [](RadioSettings& s) { s.longitude = "17959.99W"; }, ""},
        RuleCase{"LongitudeEightCharacters", [](RadioSettings& s) { s.longitude = "1653.63E"; },
                 kLong},
        RuleCase{"LongitudeNorth", [](RadioSettings& s) { s.longitude = "01653.63N"; }, kLong},
        RuleCase{"LongitudePointMisplaced", [](RadioSettings& s) { s.longitude = "016536.3E"; },
                 kLong},
        RuleCase{"LatitudeBeforeLongitude",
                 [](RadioSettings& s) {
                   s.latitude = "x";
                   s.longitude = "y";
                 },
                 kLat},
        RuleCase{"QuietBeforeLatitude",
                 [](RadioSettings& s) {
                   s.quietTime = "5000";
                   s.latitude = "x";
                 },
                 kQuiet}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RadioEncode, NumberBoxThatDoesNotConvertCarriesItsText) {
  struct Case {
    void (*change)(RadioSettings&);
    const char* text;
  };
  const Case cases[] = {
      {[](RadioSettings& s) { s.ssid = "a"; }, "a"},
      {[](RadioSettings& s) { s.txDelay = "250 "; }, "250 "},
      {[](RadioSettings& s) { s.quietTime = ""; }, ""},
      // The conversion failure of the quiet time wins over a later bad latitude.
      {[](RadioSettings& s) {
         s.quietTime = "";
         s.latitude = "bad";
       },
       ""},
  };
  for (const Case& c : cases) {
    RadioSettings s;
    c.change(s);
    ConfigImage image;
    const StepResult result = EncodeRadioSettings(s, image);
    EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
    EXPECT_EQ(result.text, c.text);
  }
}

TEST(RadioEncode, ListWithoutSelectionStoresFF) {
  RadioSettings s;
  s.pttType = -1;
  s.busyDetect = 1;
  ConfigImage image;
  ASSERT_TRUE(EncodeRadioSettings(s, image).Succeeded());
  EXPECT_EQ(image.bytes[47], 0xFF);
  EXPECT_EQ(image.bytes[48], 0x01);
}

TEST(RadioDecode, ValuesOutsideTheRulesAreShownAndRefusedLater) {
  ConfigImage image;
  ASSERT_TRUE(EncodeRadioSettings(RadioSettings{}, image).Succeeded());
  image.bytes[10] = 0xFF;
  image.bytes[12] = 0xFF;
  image.bytes[13] = 0xFF;
  image.bytes[14] = 0xFF;
  image.bytes[15] = 0xFF;
  image.bytes[47] = 0xFF;
  image.bytes[48] = 2;
  RadioSettings s;
  DecodeRadioSettings(image, s);
  EXPECT_EQ(s.ssid, "207");
  EXPECT_EQ(s.txDelay, "4294967295");
  EXPECT_EQ(s.pttType, -1);
  EXPECT_EQ(s.busyDetect, -1);
  ConfigImage again;
  EXPECT_EQ(EncodeRadioSettings(s, again).text, kSsid);

  image.bytes[10] = 0x2F;  // below "0"
  DecodeRadioSettings(image, s);
  EXPECT_EQ(s.ssid, "255");
}

TEST(RadioDecode, PositionsWithoutZeroByteStayInsideTheirFields) {
  ConfigImage image;
  image.PutBytes(28, "1234567890123456789");  // latitude and longitude without terminators
  RadioSettings s;
  DecodeRadioSettings(image, s);
  EXPECT_EQ(s.latitude, "12345678");
  EXPECT_EQ(s.longitude, "012345678");
}

TEST(RadioDecode, CallsignStopsAtZeroByteAndShowsLatin1) {
  ConfigImage image;
  image.PutBytes(4, "AB\0DEF");
  image.bytes[10] = 0x35;
  RadioSettings s;
  DecodeRadioSettings(image, s);
  EXPECT_EQ(s.callsign, std::string("AB"));
  EXPECT_EQ(s.ssid, "5");
  image.PutBytes(4, "\xE9XXXXX");
  DecodeRadioSettings(image, s);
  EXPECT_EQ(s.callsign, "\xC3\xA9XXXXX");
}

}  // namespace
}  // namespace vardex
