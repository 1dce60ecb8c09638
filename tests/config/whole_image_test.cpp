// The whole configuration image: every field of every page at start-up,
// written out from the device's field tables, and the decode/encode round
// trip over complete images.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "config_driver.h"
#include "fixed_local_time.h"
#include "local_time.h"
#include "sample_images.h"

namespace vardex {
namespace {

using testing::ExpectedStartUpImage;
using testing::FixedLocalTime;
using testing::kUnownedBytes;
using testing::Row;
using testing::StartUpFields;
using testing::VariedSettings;

ConfigSettings StartUpSettingsAt(const LocalTimeSource& clock) {
  ConfigSettings settings;
  FillClockFromSystemTime(settings.clock, clock);
  return settings;
}

TEST(WholeImage, FieldTableCoversEveryByteOnceExceptTheUnownedOnes) {
  std::array<int, ConfigImage::kSize> owners{};
  for (const Row& row : StartUpFields()) {
    for (std::size_t i = 0; i < row.bytes.size(); ++i) ++owners[row.offset + i];
  }
  for (std::size_t offset : kUnownedBytes) ++owners[offset];
  for (std::size_t offset = 4; offset <= 1548; ++offset) {
    EXPECT_EQ(owners[offset], 1) << "offset " << offset;
  }
  for (std::size_t offset = 1549; offset < ConfigImage::kSize; ++offset) {
    ASSERT_EQ(owners[offset], 0) << "offset " << offset;
  }
}

TEST(WholeImage, StartUpStateBuildsTheExpectedImageByteForByte) {
  const FixedLocalTime clock(2026, 3, 7, 9, 5);
  ConfigImage image;
  image.bytes.fill(0xAA);  // the build starts from a cleared image
  const StepResult result = BuildConfigImage(StartUpSettingsAt(clock), image);
  ASSERT_TRUE(result.Succeeded()) << result.text;
  const auto expected = ExpectedStartUpImage();
  for (std::size_t offset = 0; offset < ConfigImage::kSize; ++offset) {
    EXPECT_EQ(int(image.bytes[offset]), int(expected[offset])) << "offset " << offset;
  }
}

TEST(WholeImage, DecodeThenEncodeReproducesAWellFormedImage) {
  const FixedLocalTime startUpClock(2026, 3, 7, 9, 5);
  ConfigImage startUpImage;
  ASSERT_TRUE(BuildConfigImage(StartUpSettingsAt(startUpClock), startUpImage).Succeeded());
  ConfigImage variedImage;
  const ConfigSettings varied = VariedSettings();
  const StepResult built = BuildConfigImage(varied, variedImage);
  ASSERT_TRUE(built.Succeeded()) << built.text;
  ASSERT_NE(startUpImage.bytes, variedImage.bytes);

  // Decoding over the other image's settings shows that every field is
  // restored. The clock set values are not read back, so the settings that
  // decode keep the same clock texts as the image.
  ConfigSettings shownVaried = StartUpSettingsAt(startUpClock);
  shownVaried.clock.year = "2030";
  shownVaried.clock.month = "12";
  shownVaried.clock.day = "31";
  shownVaried.clock.hour = "23";
  shownVaried.clock.minute = "59";
  ShowConfigImage(variedImage, shownVaried);
  ConfigImage again;
  ASSERT_TRUE(BuildConfigImage(shownVaried, again).Succeeded());
  EXPECT_EQ(again.bytes, variedImage.bytes);

  ConfigSettings shownStartUp = VariedSettings();
  FillClockFromSystemTime(shownStartUp.clock, startUpClock);
  ShowConfigImage(startUpImage, shownStartUp);
  ASSERT_TRUE(BuildConfigImage(shownStartUp, again).Succeeded());
  EXPECT_EQ(again.bytes, startUpImage.bytes);
}

}  // namespace
}  // namespace vardex
