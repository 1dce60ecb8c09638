#include "config_driver.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(BuildConfigImage, StartUpStateHasItsChecksumAndZerosAfterTheCoveredSpan) {
  ConfigImage image;
  image.bytes.fill(0xAA);  // every build starts from a cleared image
  ASSERT_TRUE(BuildConfigImage(ConfigSettings{}, image).ok());
  std::uint32_t sum = 0;
  for (int i = 4; i <= 1551; ++i) sum += image.bytes[i];
  const std::uint32_t stored = image.bytes[0] | (image.bytes[1] << 8) | (image.bytes[2] << 16) |
                               (static_cast<std::uint32_t>(image.bytes[3]) << 24);
  EXPECT_EQ(stored, sum);
  for (int i = 1549; i <= 2047; ++i) EXPECT_EQ(image.bytes[i], 0) << "offset " << i;
  EXPECT_EQ(image.bytes[49], 0);
  EXPECT_EQ(image.bytes[50], 0);
  EXPECT_EQ(image.bytes[51], 0);
}

TEST(BuildConfigImage, FirstFailureEndsTheBuildWithoutChecksum) {
  ConfigSettings settings;
  settings.radio.quietTime = "1";
  settings.radio.latitude = "bad";
  ConfigImage image;
  const StepResult result = BuildConfigImage(settings, image);
  EXPECT_EQ(result.text, "Quiet time - range error (200 - 3000).");
  EXPECT_EQ(image.bytes[0], 0);
  EXPECT_EQ(image.bytes[1], 0);
  EXPECT_EQ(image.bytes[28], 0) << "fields after the failure are not stored";
  EXPECT_EQ(image.bytes[4], 'N') << "fields before it are";
}

TEST(ShowConfigImage, RoundTripOfABuiltImage) {
  ConfigSettings settings;
  settings.radio.callsign = "SQ7X";
  settings.radio.ssid = "$F";
  settings.radio.busyDetect = 1;
  ConfigImage image;
  ASSERT_TRUE(BuildConfigImage(settings, image).ok());
  ConfigSettings decoded;
  ShowConfigImage(image, decoded);
  ConfigImage again;
  ASSERT_TRUE(BuildConfigImage(decoded, again).ok());
  EXPECT_EQ(again.bytes, image.bytes);
  EXPECT_EQ(decoded.radio.ssid, "15");
  EXPECT_EQ(decoded.radio.callsign, "SQ7X  ");
}

}  // namespace
}  // namespace vardex
