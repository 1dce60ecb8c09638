#include "digipeater_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config_driver.h"
#include "image_bytes_for_tests.h"
#include "section_steps.h"

namespace vardex {
namespace {

using testing::Bytes;
using Row = std::vector<std::uint8_t>;

TEST(EncodeDigipeaterSettings, StartUpPageByteForByte) {
  ConfigImage image;
  ASSERT_TRUE(EncodeDigipeaterSettings(DigipeaterSettings{}, image).Succeeded());
  EXPECT_EQ(Bytes(image, 20, 8), (Row{0x01, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00}));
  const std::vector<Row> entries = {
      {0x57, 0x49, 0x44, 0x45, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x01, 0x01},
      {0x53, 0x50, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x01},
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00},
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00},
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00},
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00},
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00},
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00},
  };
  const std::vector<std::size_t> starts = {1076, 1088, 1100, 1112, 1124, 1136, 1148, 1160};
  for (std::size_t row = 0; row < 8; ++row) {
    EXPECT_EQ(Bytes(image, starts[row], 12), entries[row]) << "row " << row + 1;
  }
  // The page writes nothing else.
  EXPECT_EQ(testing::NonZeroOffsets(image, 0, 19), std::vector<std::size_t>{});
  EXPECT_EQ(testing::NonZeroOffsets(image, 28, 1075), std::vector<std::size_t>{});
  EXPECT_EQ(testing::NonZeroOffsets(image, 1172, 2047), std::vector<std::size_t>{});
}

TEST(EncodeDigipeaterSettings, SwitchedOffStillEncodesTheRest) {
  DigipeaterSettings settings;
  settings.digipeaterOn = false;
  ConfigImage image;
  ASSERT_TRUE(EncodeDigipeaterSettings(settings, image).Succeeded());
  EXPECT_EQ(Bytes(image, 20, 8), (Row{0x00, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Bytes(image, 1076, 4), (Row{0x57, 0x49, 0x44, 0x45}));
}

TEST(EncodeDigipeaterSettings, DuplicateCheckingBoundaries) {
  struct Case {
    const char* text;
    bool passes;
  };
  const std::vector<Case> cases = {{"15", true},   {"180", true}, {"14", false},
                                   {"181", false}, {"-1", false}, {"0", false}};
  for (const Case& c : cases) {
    DigipeaterSettings settings;
    settings.duplicateChecking = c.text;
    ConfigImage image;
    const StepResult result = EncodeDigipeaterSettings(settings, image);
    if (c.passes) {
      EXPECT_TRUE(result.Succeeded()) << c.text;
    } else {
      EXPECT_EQ(result.kind, StepResult::Kind::kInvalid) << c.text;
      EXPECT_EQ(result.text, "Antiflood timeout - range error (15 - 180).") << c.text;
    }
  }
}

TEST(EncodeDigipeaterSettings, DuplicateCheckingThatDoesNotConvert) {
  for (const char* text : {"", "60s", " 60 "}) {
    DigipeaterSettings settings;
    settings.duplicateChecking = text;
    ConfigImage image;
    const StepResult result = EncodeDigipeaterSettings(settings, image);
    EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
    EXPECT_EQ(result.text, text);
  }
}

struct RowMessages {
  std::size_t row;  // 1-based
  const char* lowerMessage;
  const char* higherMessage;
};

const std::vector<RowMessages> kRowMessages = {
    {1, "Path(n-N) 1, n>= value range error (1 - 7).",
     "Path(n-N) 1, n<= value range error (1 - 7)."},
    {2, "Path(n-N) 2, n>= value range error (1 - 7).",
     "Path(n-N) 2, n<= value range error (1 - 7)."},
    {3, "Path(n-N) 3, n>= value range error (1 - 7).",
     "Path(n-N) 3, n<= value range error (1 - 7)."},
    {4, "Path(n-N) 4, n>= value range error (1 - 7).",
     "Path(n-N) 4, n<= value range error (1 - 7)."},
    {5, "Path(n-N) 5, n>= value range error (1 - 7).",
     "Path(n-N) 5, n<= value range error (1 - 7)."},
    {6, "Path(n-N) 6, n>= value range error (1 - 7).",
     "Path(n-N) 6, n<= value range error (1 - 7)."},
    {7, "Path(n-N) 7, n>= value range error (1 - 7).",
     "Path(n-N) 7, n<= value range error (1 - 7)."},
    {8, "Path(n-N) 8, n>= value range error (1 - 7).",
     "Path(n-N) 8, n<= value range error (1 - 7)."},
};

// Every row is checked, whether active or not.
TEST(EncodeDigipeaterSettings, PathBoundsAtTheirBoundariesInEveryRow) {
  struct Case {
    const char* lower;
    const char* higher;
    int failing;  // 0 passes, 1 the n>= message, 2 the n<= message
  };
  const std::vector<Case> cases = {
      {"1", "1", 0}, {"7", "7", 0}, {"5", "2", 0},  // no rule relates the two bounds
      {"0", "7", 1}, {"8", "7", 1}, {"9", "7", 1}, {"0", "0", 1},
      {"1", "0", 2}, {"1", "8", 2}, {"1", "9", 2},
  };
  for (const RowMessages& messages : kRowMessages) {
    for (const bool active : {true, false}) {
      for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(messages.row) + " " + c.lower + "/" + c.higher +
                     (active ? " active" : " inactive"));
        DigipeaterSettings settings;
        DigipeaterPath& path = settings.paths[messages.row - 1];
        path.active = active;
        path.lower = c.lower;
        path.higher = c.higher;
        ConfigImage image;
        const StepResult result = EncodeDigipeaterSettings(settings, image);
        if (c.failing == 0) {
          EXPECT_TRUE(result.Succeeded()) << result.text;
        } else {
          EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
          EXPECT_EQ(result.text, c.failing == 1 ? messages.lowerMessage : messages.higherMessage);
        }
      }
    }
  }
}

TEST(EncodeDigipeaterSettings, EarlierRowIsReportedFirst) {
  DigipeaterSettings settings;
  settings.paths[4].lower = "0";
  settings.paths[2].higher = "8";
  ConfigImage image;
  EXPECT_EQ(EncodeDigipeaterSettings(settings, image).text,
            "Path(n-N) 3, n<= value range error (1 - 7).");
}

TEST(EncodeDigipeaterSettings, InactiveRowWithEmptyBoundDoesNotConvert) {
  DigipeaterSettings settings;
  settings.paths[6].higher = "";
  ConfigImage image;
  const StepResult result = EncodeDigipeaterSettings(settings, image);
  EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
  EXPECT_EQ(result.text, "");
}

TEST(EncodeDigipeaterSettings, EntryFieldsAsTyped) {
  struct Case {
    DigipeaterPath path;
    Row stored;
  };
  const std::vector<Case> cases = {
      {{"wide", "5", "2", 1, true}, {0x77, 0x69, 0x64, 0x65, 0, 0, 0, 0, 0x05, 0x02, 0x01, 0x01}},
      {{"", "1", "7", 0, true}, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x01}},
      {{"TRACE", "3", "3", -1, false}, {0x54, 0x52, 0x41, 0x43, 0x45, 0, 0, 0, 3, 3, 0xFF, 0x00}},
      // A name longer than the slot keeps its first seven characters.
      {{"ABCDEFGHIJ", "1", "7", 0, false},
       {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0, 1, 7, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.name);
    DigipeaterSettings settings;
    settings.paths[7] = c.path;
    ConfigImage image;
    ASSERT_TRUE(EncodeDigipeaterSettings(settings, image).Succeeded());
    EXPECT_EQ(Bytes(image, 1160, 12), c.stored);
    EXPECT_EQ(image.bytes[1172], 0);  // nothing beyond the last entry
  }
}

TEST(DecodeDigipeaterSettings, OutOfRuleValuesAreShownUnchangedAndRefusedOnTheNextWrite) {
  ConfigImage image;
  image.bytes[20] = 2;  // any non-zero word switches it on
  image.bytes[24] = 200;
  image.bytes[1076 + 12 * 3 + 8] = 0;    // row 4 n>=
  image.bytes[1076 + 12 * 3 + 9] = 200;  // row 4 n<=
  image.bytes[1076 + 12 * 3 + 10] = 0xFF;
  image.bytes[1076 + 12 * 3 + 11] = 7;

  DigipeaterSettings settings;
  DecodeDigipeaterSettings(image, settings);
  EXPECT_TRUE(settings.digipeaterOn);
  EXPECT_EQ(settings.duplicateChecking, "200");
  EXPECT_EQ(settings.paths[3].lower, "0");
  EXPECT_EQ(settings.paths[3].higher, "200");
  EXPECT_EQ(settings.paths[3].traceable, -1);
  EXPECT_TRUE(settings.paths[3].active);

  ConfigImage rewritten;
  EXPECT_EQ(EncodeDigipeaterSettings(settings, rewritten).text,
            "Antiflood timeout - range error (15 - 180).");
  settings.duplicateChecking = "60";
  EXPECT_EQ(EncodeDigipeaterSettings(settings, rewritten).text,
            "Path(n-N) 1, n>= value range error (1 - 7).");  // row 1 of the zero image
  for (std::size_t row = 0; row < 8; ++row) {
    if (row != 3)
      settings.paths[row] = DigipeaterPath{};
  }
  EXPECT_EQ(EncodeDigipeaterSettings(settings, rewritten).text,
            "Path(n-N) 4, n>= value range error (1 - 7).");
  settings.paths[3].lower = "1";
  EXPECT_EQ(EncodeDigipeaterSettings(settings, rewritten).text,
            "Path(n-N) 4, n<= value range error (1 - 7).");
  settings.paths[3].higher = "7";
  ASSERT_TRUE(EncodeDigipeaterSettings(settings, rewritten).Succeeded());
  EXPECT_EQ(Bytes(rewritten, 20, 4), (Row{1, 0, 0, 0}));  // stored as 1 again
  EXPECT_EQ(Bytes(rewritten, 1112 + 10, 2), (Row{0xFF, 0x01}));
}

TEST(DecodeDigipeaterSettings, TraceableBeyondItsItemsLeavesNoSelection) {
  struct Case {
    std::uint8_t stored;
    int index;
  };
  for (const Case& c : std::vector<Case>{{0, 0}, {1, 1}, {2, -1}, {0xFF, -1}}) {
    ConfigImage image;
    image.bytes[1076 + 10] = c.stored;
    DigipeaterSettings settings;
    DecodeDigipeaterSettings(image, settings);
    EXPECT_EQ(settings.paths[0].traceable, c.index) << int{c.stored};
  }
}

TEST(DecodeDigipeaterSettings, NameWithoutZeroByteIsCutToSevenCharacters) {
  ConfigImage image;
  for (std::size_t i = 0; i < 8; ++i) image.bytes[1088 + i] = static_cast<std::uint8_t>('A' + i);
  image.bytes[1088 + 8] = 1;  // n>= right after the slot
  DigipeaterSettings settings;
  DecodeDigipeaterSettings(image, settings);
  EXPECT_EQ(settings.paths[1].name, "ABCDEFG");
  EXPECT_EQ(settings.paths[1].lower, "1");
}

TEST(DecodeDigipeaterSettings, RoundTripReproducesThePageBytes) {
  ConfigImage image;
  image.bytes[24] = 180;
  const std::vector<Row> entries = {
      {0x52, 0x45, 0x4C, 0x41, 0x59, 0x31, 0x32, 0x00, 0x07, 0x01, 0x00, 0x01},  // RELAY12
      {0x77, 0x69, 0x64, 0x65, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00},
      {0xE9, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x03, 0xFF, 0x01},  // Latin-1 byte
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x04, 0x01, 0x00},
      {0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x05, 0x00, 0x01},
      {0x41, 0x42, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x07, 0x01, 0x01},
      {0x41, 0x42, 0x43, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x06, 0x00, 0x00},
      {0x7E, 0x20, 0x7E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x01, 0x01},
  };
  for (std::size_t row = 0; row < 8; ++row) {
    for (std::size_t i = 0; i < 12; ++i) image.bytes[1076 + 12 * row + i] = entries[row][i];
  }
  DigipeaterSettings settings;
  DecodeDigipeaterSettings(image, settings);
  ConfigImage rewritten;
  ASSERT_TRUE(EncodeDigipeaterSettings(settings, rewritten).Succeeded());
  EXPECT_EQ(rewritten.bytes, image.bytes);
}

// The Radio page is checked before this one, this page before the beacons.
TEST(DigipeaterInTheWriteOrder, RadioErrorHidesItAndItHidesBeaconErrors) {
  ConfigSettings settings;
  settings.digipeater.duplicateChecking = "14";
  settings.beacons.beacons[0].block.bign = "8";
  settings.radio.quietTime = "3001";
  ConfigImage image;
  EXPECT_EQ(BuildConfigImage(settings, image).text, "Quiet time - range error (200 - 3000).");
  settings.radio.quietTime = "400";
  EXPECT_EQ(BuildConfigImage(settings, image).text, "Antiflood timeout - range error (15 - 180).");
  settings.digipeater.duplicateChecking = "15";
  EXPECT_EQ(BuildConfigImage(settings, image).text, "Beacon 1 path, N value range error (1 - 7).");
}

}  // namespace
}  // namespace vardex
