#include "weather_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image_bytes_for_tests.h"
#include "section_steps.h"

namespace vardex {
namespace {

using testing::Bytes;
using testing::Chars;
using Row = std::vector<std::uint8_t>;

TEST(EncodeWeatherSettings, StartUpPageByteForByte) {
  ConfigImage image;
  ASSERT_TRUE(EncodeWeatherSettings(WeatherSettings{}, image).Succeeded());
  EXPECT_EQ(image.bytes[52], 0x05);
  // Dest "APVDX10", path "WIDE", N 2, n 2, three unwritten bytes, rates 5 and 5.
  EXPECT_EQ(Bytes(image, 53, 27),
            (Row{0x41, 0x50, 0x56, 0x44, 0x58, 0x31, 0x30, 0x00, 0x57, 0x49, 0x44, 0x45, 0x00, 0x00,
                 0x02, 0x02, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Chars(image, 80, 33), std::string("Vardex weather") + std::string(19, '\0'));
  EXPECT_EQ(Bytes(image, 113, 2), (Row{0x01, 0x01}));
  EXPECT_EQ(testing::NonZeroOffsets(image, 0, 51), std::vector<std::size_t>{});
  EXPECT_EQ(testing::NonZeroOffsets(image, 115, 2047), std::vector<std::size_t>{});
}

TEST(EncodeWeatherSettings, StationTypeIsNeverRejected) {
  struct Case {
    int index;
    std::uint8_t stored;
  };
  for (const Case& c : std::vector<Case>{{0, 0x00}, {10, 0x0A}, {-1, 0xFF}}) {
    WeatherSettings settings;
    settings.stationType = c.index;
    ConfigImage image;
    ASSERT_TRUE(EncodeWeatherSettings(settings, image).Succeeded()) << c.index;
    EXPECT_EQ(image.bytes[52], c.stored) << c.index;
  }
}

TEST(EncodeWeatherSettings, NoneStillChecksTheBlockAndTheComment) {
  WeatherSettings settings;
  settings.stationType = 0;
  settings.report.txRateRf = "1441";
  settings.comment = "\x01";
  ConfigImage image;
  EXPECT_EQ(EncodeWeatherSettings(settings, image).text,
            "Weather report tx rate (RF) range error (5 - 1440).");
  settings.report.txRateRf = "1440";
  EXPECT_EQ(EncodeWeatherSettings(settings, image).text,
            "Weather report comment - forbidden characters.");
}

TEST(EncodeWeatherSettings, CommentCharacters) {
  struct Case {
    std::string comment;
    bool passes;
  };
  const std::vector<Case> cases = {
      {"", true},
      {"    ", true},
      {std::string(32, 'W'), true},
      {"sunny\tday", false},
      {"\x7F", false},
      {"M\xC3\xBCnchen", false},
      {"\xE2\x84\x83", false},  // degree Celsius sign, outside Latin-1
  };
  for (const Case& c : cases) {
    WeatherSettings settings;
    settings.comment = c.comment;
    ConfigImage image;
    const StepResult result = EncodeWeatherSettings(settings, image);
    if (c.passes) {
      EXPECT_TRUE(result.Succeeded()) << c.comment;
    } else {
      EXPECT_EQ(result.text, "Weather report comment - forbidden characters.") << c.comment;
    }
  }
}

TEST(EncodeWeatherSettings, CommentFillsItsFieldAndNoMore) {
  struct Case {
    std::string typed;
    std::string stored;  // 33 bytes at 80
  };
  const std::vector<Case> cases = {
      {"", std::string(33, '\0')},
      {std::string(32, 'c'), std::string(32, 'c') + '\0'},  // zero byte at 112
      {std::string(40, 'c'), std::string(32, 'c') + '\0'},  // cut to fit
  };
  for (const Case& c : cases) {
    WeatherSettings settings;
    settings.comment = c.typed;
    ConfigImage image;
    ASSERT_TRUE(EncodeWeatherSettings(settings, image).Succeeded());
    EXPECT_EQ(Chars(image, 80, 33), c.stored);
    EXPECT_EQ(image.bytes[113], 1);
  }
}

TEST(DecodeWeatherSettings, StationTypeBeyondTheListLeavesNoSelectionAndStores255) {
  struct Case {
    std::uint8_t stored;
    int index;
  };
  for (const Case& c : std::vector<Case>{{0, 0}, {5, 5}, {10, 10}, {11, -1}, {255, -1}}) {
    ConfigImage image;
    image.bytes[52] = c.stored;
    WeatherSettings settings;
    DecodeWeatherSettings(image, settings);
    EXPECT_EQ(settings.stationType, c.index) << int{c.stored};
  }
  ConfigImage image;
  image.bytes[52] = 11;
  WeatherSettings settings;
  DecodeWeatherSettings(image, settings);
  settings.report = WeatherSettings{}.report;
  ConfigImage rewritten;
  ASSERT_TRUE(EncodeWeatherSettings(settings, rewritten).Succeeded());
  EXPECT_EQ(rewritten.bytes[52], 0xFF);
}

TEST(DecodeWeatherSettings, RestoresEveryFieldIncludingDest) {
  ConfigImage image;
  image.bytes[52] = 9;
  const std::string block("BEACON0\0WX\0\0\0\0\x03\x05\0\0\0\x0A\0\0\0\xA0\x05\0\0", 27);
  for (std::size_t i = 0; i < block.size(); ++i) image.bytes[53 + i] = block[i];
  const std::string comment = "Rain gauge on the roof";
  for (std::size_t i = 0; i < comment.size(); ++i) image.bytes[80 + i] = comment[i];
  image.bytes[113] = 0;
  image.bytes[114] = 1;

  WeatherSettings settings;
  DecodeWeatherSettings(image, settings);
  EXPECT_EQ(settings.stationType, 9);
  EXPECT_EQ(settings.report.dest, 0);
  EXPECT_EQ(settings.report.path, "WX");
  EXPECT_EQ(settings.report.bign, "3");
  EXPECT_EQ(settings.report.smalln, "5");
  EXPECT_EQ(settings.report.txRateRf, "10");
  EXPECT_EQ(settings.report.txRateAprsIs, "1440");
  EXPECT_FALSE(settings.report.toRf);
  EXPECT_TRUE(settings.report.toAprsIs);
  EXPECT_EQ(settings.comment, comment);

  ConfigImage rewritten;
  ASSERT_TRUE(EncodeWeatherSettings(settings, rewritten).Succeeded());
  EXPECT_EQ(rewritten.bytes, image.bytes);
}

TEST(DecodeWeatherSettings, CommentIsShownUnchangedAndRefusedOrCutOnTheNextWrite) {
  ConfigImage image;
  ASSERT_TRUE(EncodeWeatherSettings(WeatherSettings{}, image).Succeeded());
  for (std::size_t i = 0; i < 33; ++i) image.bytes[80 + i] = 'k';
  WeatherSettings settings;
  DecodeWeatherSettings(image, settings);
  EXPECT_EQ(settings.comment, std::string(32, 'k'));
  EXPECT_TRUE(settings.report.toRf);  // 113 read as the switch

  image.bytes[85] = 0x0D;
  DecodeWeatherSettings(image, settings);
  EXPECT_EQ(settings.comment, "kkkkk\rkkkkkkkkkkkkkkkkkkkkkkkkkk");
  ConfigImage rewritten;
  EXPECT_EQ(EncodeWeatherSettings(settings, rewritten).text,
            "Weather report comment - forbidden characters.");
}

}  // namespace
}  // namespace vardex
