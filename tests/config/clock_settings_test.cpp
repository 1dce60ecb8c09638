#include "clock_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fixed_local_time.h"
#include "image_bytes_for_tests.h"
#include "local_time.h"
#include "section_steps.h"

namespace vardex {
namespace {

using testing::Bytes;
using testing::FixedLocalTime;
using testing::TextField;

TEST(ClockSettings, FilledFromLocalTimeWithFullYearMonthFromOneAndNoLeadingZeros) {
  ClockSettings settings;
  FillClockFromSystemTime(settings, FixedLocalTime(2026, 3, 7, 9, 5));
  EXPECT_EQ(settings.year, "2026");
  EXPECT_EQ(settings.month, "3");
  EXPECT_EQ(settings.day, "7");
  EXPECT_EQ(settings.hour, "9");
  EXPECT_EQ(settings.minute, "5");

  FillClockFromSystemTime(settings, FixedLocalTime(1999, 12, 31, 0, 0));
  EXPECT_EQ(settings.year, "1999");
  EXPECT_EQ(settings.month, "12");
  EXPECT_EQ(settings.day, "31");
  EXPECT_EQ(settings.hour, "0");
  EXPECT_EQ(settings.minute, "0");
}

TEST(ClockSettings, FilledTimeIsStoredAsFiveWords) {
  ClockSettings settings;
  FillClockFromSystemTime(settings, FixedLocalTime(2026, 3, 7, 9, 5));
  ConfigImage image;
  ASSERT_TRUE(EncodeClockSettings(settings, image).Succeeded());
  EXPECT_EQ(Bytes(image, 320, 20), (std::vector<std::uint8_t>{0xEA, 0x07, 0, 0, 3, 0, 0, 0, 7, 0,
                                                              0,    0,    9, 0, 0, 0, 5, 0, 0, 0}));
}

TEST(ClockSettings, TypedValuesAreStoredWithoutRangeChecks) {
  struct Case {
    std::string year, month, day, hour, minute;
    std::vector<std::uint8_t> words;
  };
  const Case cases[] = {
      {"2030", "12", "31", "23", "59", {0xEE, 0x07, 0,  0, 12, 0, 0,  0, 31, 0,
                                        0,    0,    23, 0, 0,  0, 59, 0, 0,  0}},
      {"0", "13", "0", "24", "75", {0, 0, 0, 0, 13, 0, 0, 0, 0, 0, 0, 0, 24, 0, 0, 0, 75, 0, 0, 0}},
      {"-1", "$10", "7", "9", "05", {0xFF, 0xFF, 0xFF, 0xFF, 16, 0, 0, 0, 7, 0,
                                     0,    0,    9,    0,    0,  0, 5, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    ClockSettings settings;
    settings.uploadPcTime = false;
    settings.year = c.year;
    settings.month = c.month;
    settings.day = c.day;
    settings.hour = c.hour;
    settings.minute = c.minute;
    ConfigImage image;
    ASSERT_TRUE(EncodeClockSettings(settings, image).Succeeded()) << c.year;
    EXPECT_EQ(Bytes(image, 320, 20), c.words) << c.year;
  }
}

TEST(ClockSettings, DateBoxThatIsNotANumberEndsTheWrite) {
  ClockSettings settings;
  settings.day = "";
  ConfigImage image;
  const StepResult result = EncodeClockSettings(settings, image);
  EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
  EXPECT_EQ(result.text, "");
  EXPECT_EQ(image.bytes[268], 0);  // nothing after the failing box was stored
}

TEST(ClockSettings, NtpSwitchAndServer) {
  ClockSettings settings;
  ConfigImage image;
  ASSERT_TRUE(EncodeClockSettings(settings, image).Succeeded());
  EXPECT_EQ(image.bytes[268], 1);
  EXPECT_EQ(Bytes(image, 269, 32), TextField("pool.ntp.org", 32));

  settings.useNtp = false;
  settings.ntpServer = std::string(35, 'n');  // cut to fit its field
  image.Clear();
  ASSERT_TRUE(EncodeClockSettings(settings, image).Succeeded());
  EXPECT_EQ(image.bytes[268], 0);
  EXPECT_EQ(Bytes(image, 269, 32), TextField(std::string(31, 'n'), 32));
  EXPECT_EQ(image.bytes[301], 0);
}

TEST(ClockSettings, DecodeRestoresNtpOnlyAndLeavesTheClockAlone) {
  ConfigImage image;
  image.bytes[268] = 0;
  image.PutText(269, 32, "ntp.example.org");
  image.PutU32(320, 1990);
  image.PutU32(324, 1);
  ClockSettings settings;
  settings.uploadPcTime = false;
  settings.year = "2031";
  settings.month = "4";
  DecodeClockSettings(image, settings);
  EXPECT_FALSE(settings.useNtp);
  EXPECT_EQ(settings.ntpServer, "ntp.example.org");
  EXPECT_FALSE(settings.uploadPcTime);
  EXPECT_EQ(settings.year, "2031");
  EXPECT_EQ(settings.month, "4");

  image.bytes[268] = 7;
  for (std::size_t i = 269; i < 301; ++i) image.bytes[i] = 's';  // no zero byte in the field
  DecodeClockSettings(image, settings);
  EXPECT_TRUE(settings.useNtp);
  EXPECT_EQ(settings.ntpServer, std::string(31, 's'));
}

TEST(ClockSettings, SystemClockGivesAPlausibleCalendarTime) {
  ClockSettings settings;
  FillClockFromSystemTime(settings, SystemLocalTimeSource{});
  EXPECT_GE(std::stoi(settings.year), 2024);
  const int month = std::stoi(settings.month);
  EXPECT_TRUE(month >= 1 && month <= 12) << settings.month;
  EXPECT_NE(settings.month.front(), '0');
  EXPECT_NE(settings.day.front(), '0');
}

TEST(ClockSettings, SetValuesReadBackAsSignedDecimalsThatEncodeToTheSameWords) {
  ConfigImage image;
  const std::vector<std::uint8_t> words = {0xEA, 0x07, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0,    0,
                                           0,    0x80, 9, 0, 0,    0,    0xFF, 0xFF, 0xFF, 0x7F};
  std::copy(words.begin(), words.end(), image.bytes.begin() + 320);
  ClockSettings settings;
  DecodeClockSetValues(image, settings);
  EXPECT_EQ(settings.year, "2026");
  EXPECT_EQ(settings.month, "-1");
  EXPECT_EQ(settings.day, "-2147483648");
  EXPECT_EQ(settings.hour, "9");
  EXPECT_EQ(settings.minute, "2147483647");
  EXPECT_EQ(settings.ntpServer, "pool.ntp.org");  // nothing else is touched

  ConfigImage again;
  ASSERT_TRUE(EncodeClockSettings(settings, again).Succeeded());
  EXPECT_EQ(Bytes(again, 320, 20), words);
}

TEST(ClockSettings, FailureTextIsTheRuleMessageOrTheErrorBoxText) {
  EXPECT_EQ(FailureText(StepResult::Invalid("Quiet time - range error (200 - 3000).")),
            "Quiet time - range error (200 - 3000).");
  EXPECT_EQ(FailureText(StepResult::NotAnInteger("")), "'' is not a valid integer value.");
  EXPECT_EQ(FailureText(StepResult::NotAnInteger("42 ")), "'42 ' is not a valid integer value.");
}

}  // namespace
}  // namespace vardex
