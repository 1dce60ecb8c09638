#include "image_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "field_rows.h"
#include "sample_image_files.h"

namespace vardex {
namespace {

TEST(ImageRules, FirstFailingRuleOfEveryRowInWindowOrder) {
  ConfigSettings settings = SettingsFromImage(testing::FactoryImage());
  EXPECT_TRUE(AllRuleFailures(settings).empty());

  settings.weather.report.txRateRf = "2";
  settings.beacons.beacons[1].block.bign = "8";
  settings.radio.txDelay = "5";
  settings.radio.quietTime = "9000";               // same row as the TX delay
  settings.beacons.beacons[1].block.smalln = "9";  // same beacon
  settings.beacons.beacons[4].block.bign = "3";    // n 2 < N 3: a rule over two fields
  settings.aprsIs.servers[0].port = "14580 ";      // a trailing blank does not convert
  settings.telemetryParameters.smalln = "0";
  const std::vector<std::string> expected = {
      "Preamble len - range error (200 - 1000).",
      "Beacon 2 path, N value range error (1 - 7).",
      "Beacon 5 path, n should be >= N.",
      "'14580 ' is not a valid integer value.",
      "Weather report tx rate (RF) range error (5 - 1440).",
      "Telemeetry parameters path, n value range error (1 - 7).",
  };
  EXPECT_EQ(AllRuleFailures(settings), expected);
}

TEST(ImageRules, DifferencesFromTheRebuiltImageNameTheirFields) {
  struct Case {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      // A list index beyond the list's entries is written back as "none".
      {47, {7}, {"byte 47: [Radio] PTT"}},
      {1268, {2}, {"byte 1268: [Telemetry module] Telemetry module"}},
      // A reserved byte.
      {50, {1}, {"byte 50: not shown by any field"}},
      // A text that fills its field has no zero byte.
      {269,
       std::vector<std::uint8_t>(32, 's'),
       {"byte 300: [RTC/NTP time] NTP server: its zero byte"}},
      // Something behind a text's zero byte.
      {290, {'x', 'y'}, {"bytes 290-291: [RTC/NTP time] NTP server"}},
      // Outside the checksum, nothing is a field.
      {2000, {1, 2, 3}, {"bytes 2000-2002: not shown by any field"}},
  };
  for (const Case& c : cases) {
    ConfigImage file = testing::FactoryImage();
    std::copy(c.bytes.begin(), c.bytes.end(), file.bytes.begin() + c.offset);
    StoreImageChecksum(file);
    ConfigImage rebuilt;
    ASSERT_TRUE(RebuildImage(file, rebuilt).Succeeded()) << c.offset;
    std::vector<std::string> described;
    for (const ByteDifference& d : ExplainDifferences(file, rebuilt))
      described.push_back(DescribeDifference(d));
    EXPECT_EQ(described, c.expected) << c.offset;
  }
}

TEST(ImageRules, ClockValuesOfTheFileAreKept) {
  ConfigImage file = testing::FactoryImage();
  file.PutU32(320, 1999);
  file.PutU32(336, 0xFFFFFFFF);
  StoreImageChecksum(file);
  ConfigImage rebuilt;
  ASSERT_TRUE(RebuildImage(file, rebuilt).Succeeded());
  EXPECT_EQ(rebuilt.bytes, file.bytes);
}

}  // namespace
}  // namespace vardex
