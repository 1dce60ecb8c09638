#include "telemetry_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image_bytes_for_tests.h"
#include "section_steps.h"

namespace vardex {
namespace {

using testing::Bytes;
using testing::TextField;

// Bytes of one channel entry, written out field by field.
std::vector<std::uint8_t> Entry(std::uint8_t source, const std::string& name,
                                const std::string& units, const std::string& a,
                                const std::string& b, const std::string& c, std::uint8_t average) {
  std::vector<std::uint8_t> entry{source};
  for (const auto& field : {TextField(name, 8), TextField(units, 8), TextField(a, 9),
                            TextField(b, 9), TextField(c, 9)}) {
    entry.insert(entry.end(), field.begin(), field.end());
  }
  entry.push_back(average);
  return entry;
}

TEST(TelemetryChannels, StartUpStateEncodesSwitchAndFiveChannels) {
  ConfigImage image;
  ASSERT_TRUE(EncodeTelemetryChannels(TelemetrySettings{}, image).Succeeded());
  EXPECT_EQ(image.bytes[1268], 0);
  EXPECT_EQ(Bytes(image, 1324, 45), Entry(1, "I1", "mA", "0", "19.5", "0", 0));
  EXPECT_EQ(Bytes(image, 1369, 45), Entry(4, "I2", "mA", "0", "19.5", "0", 0));
  EXPECT_EQ(Bytes(image, 1414, 45), Entry(7, "U1", "Volt", "0", "0.1", "0", 0));
  EXPECT_EQ(Bytes(image, 1459, 45), Entry(8, "U2", "Volt", "0", "0.1", "0", 0));
  EXPECT_EQ(Bytes(image, 1504, 45), Entry(9, "Temp", "C", "0", "0.5", "-64", 0));
  // The report blocks between the switch and the first channel are not ours.
  EXPECT_EQ(Bytes(image, 1269, 55), std::vector<std::uint8_t>(55, 0));
}

TEST(TelemetryChannels, TextsAreStoredAsTypedAndListsAsTheirLowByte) {
  TelemetrySettings settings;
  settings.moduleSupport = 1;
  settings.channels[1] = {-1, "", "x", "abc", "1e3", "--", 1};
  settings.channels[4].name = "ABCDEFGHIJ";  // longer than the field: cut, not spilled
  ConfigImage image;
  ASSERT_TRUE(EncodeTelemetryChannels(settings, image).Succeeded());
  EXPECT_EQ(image.bytes[1268], 1);
  EXPECT_EQ(Bytes(image, 1369, 45), Entry(0xFF, "", "x", "abc", "1e3", "--", 1));
  EXPECT_EQ(Bytes(image, 1504, 45), Entry(9, "ABCDEFG", "C", "0", "0.5", "-64", 0));

  settings.moduleSupport = -1;
  ASSERT_TRUE(EncodeTelemetryChannels(settings, image).Succeeded());
  EXPECT_EQ(image.bytes[1268], 0xFF);
}

TEST(TelemetryChannels, DecodeSetsListsFromOwnBytesAndTextsWithinFields) {
  ConfigImage image;
  image.bytes[1268] = 1;
  const std::uint8_t averages[5] = {1, 0, 1, 0, 1};
  const std::uint8_t sources[5] = {0, 10, 11, 0xFF, 3};
  for (std::size_t k = 0; k < 5; ++k) {
    image.bytes[1324 + 45 * k] = sources[k];
    image.bytes[1324 + 45 * k + 44] = averages[k];
  }
  for (std::size_t i = 1; i < 9; ++i) image.bytes[1324 + i] = 'N';  // name without its zero
  image.PutText(1324 + 9, 8, "V");
  image.PutText(1324 + 17, 9, "12345678");
  image.bytes[1369 + 44] = 2;  // beyond "Off" and "On"

  TelemetrySettings settings;
  DecodeTelemetryChannels(image, settings);
  EXPECT_EQ(settings.moduleSupport, 1);
  EXPECT_EQ(settings.channels[0].source, 0);
  EXPECT_EQ(settings.channels[1].source, 10);
  EXPECT_EQ(settings.channels[2].source, -1);
  EXPECT_EQ(settings.channels[3].source, -1);
  EXPECT_EQ(settings.channels[4].source, 3);
  EXPECT_EQ(settings.channels[0].average, 1);
  EXPECT_EQ(settings.channels[1].average, -1);
  EXPECT_EQ(settings.channels[2].average, 1);
  EXPECT_EQ(settings.channels[3].average, 0);
  EXPECT_EQ(settings.channels[4].average, 1);
  EXPECT_EQ(settings.channels[0].name, "NNNNNNN");
  EXPECT_EQ(settings.channels[0].units, "V");
  EXPECT_EQ(settings.channels[0].coeffA, "12345678");
  EXPECT_EQ(settings.channels[0].coeffB, "");

  image.bytes[1268] = 2;
  DecodeTelemetryChannels(image, settings);
  EXPECT_EQ(settings.moduleSupport, -1);
}

struct DefaultsCase {
  int source;
  int channelNumber;
  std::string name, units, a, b, c;
};

class ChannelDefaultsTest : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(ChannelDefaultsTest, FollowTheSourceNotTheChannel) {
  const DefaultsCase& d = GetParam();
  TelemetryChannel channel{d.source, "old", "old", "9", "9", "9", 1};
  EXPECT_TRUE(ApplyChannelDefaults(channel, d.channelNumber));
  EXPECT_EQ(channel.name, d.name);
  EXPECT_EQ(channel.units, d.units);
  EXPECT_EQ(channel.coeffA, d.a);
  EXPECT_EQ(channel.coeffB, d.b);
  EXPECT_EQ(channel.coeffC, d.c);
  EXPECT_EQ(channel.source, d.source);
  EXPECT_EQ(channel.average, 1);
}

INSTANTIATE_TEST_SUITE_P(AllSources, ChannelDefaultsTest,
                         ::testing::Values(DefaultsCase{0, 1, "A1", "None", "0", "0", "0"},
                                           DefaultsCase{0, 4, "A4", "None", "0", "0", "0"},
                                           DefaultsCase{1, 3, "I1", "mA", "0", "19.5", "0"},
                                           DefaultsCase{2, 1, "I1", "mA", "0", "9.76", "0"},
                                           DefaultsCase{3, 2, "I1", "mA", "0", "4.88", "0"},
                                           DefaultsCase{4, 5, "I2", "mA", "0", "19.5", "0"},
                                           DefaultsCase{5, 2, "I2", "mA", "0", "9.76", "0"},
                                           DefaultsCase{6, 1, "I2", "mA", "0", "4.88", "0"},
                                           DefaultsCase{7, 3, "U1", "Volt", "0", "0.1", "0"},
                                           DefaultsCase{8, 4, "U2", "Volt", "0", "0.1", "0"},
                                           DefaultsCase{9, 5, "Temp", "C", "0", "0.5", "-64"},
                                           DefaultsCase{10, 1, "Temp", "C", "0", "0.5", "-64"}));

TEST(ChannelDefaults, NoSelectedSourceChangesNothing) {
  for (int source : {-1, 11}) {
    TelemetryChannel channel{source, "n", "u", "a", "b", "c", 0};
    EXPECT_FALSE(ApplyChannelDefaults(channel, 2)) << source;
    EXPECT_EQ(channel.name, "n");
    EXPECT_EQ(channel.units, "u");
    EXPECT_EQ(channel.coeffA, "a");
    EXPECT_EQ(channel.coeffB, "b");
    EXPECT_EQ(channel.coeffC, "c");
  }
}

}  // namespace
}  // namespace vardex
