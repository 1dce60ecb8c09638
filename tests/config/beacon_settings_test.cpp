#include "beacon_settings.h"

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
using testing::Chars;
using Row = std::vector<std::uint8_t>;

TEST(EncodeBeaconSettings, StartUpBeaconsByteForByte) {
  ConfigImage image;
  ASSERT_TRUE(EncodeBeaconSettings(BeaconSettings{}, image).Succeeded());
  // Beacon 1: "APVDX10", "WIDE", N 2, n 2, rates 5 and 5.
  EXPECT_EQ(Bytes(image, 340, 24),
            (Row{0x41, 0x50, 0x56, 0x44, 0x58, 0x31, 0x30, 0x00, 0x57, 0x49, 0x44, 0x45,
                 0x00, 0x00, 0x02, 0x02, 0x05, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Chars(image, 364, 65),
            std::string("@<date>z<lat>/<long>-VARDEX Test.") + std::string(32, '\0'));
  EXPECT_EQ(Bytes(image, 429, 3), (Row{0x01, 0x01, 0x00}));
  // Beacons 2 to 8 differ from it by Dest and an empty message.
  const Row otherBlock = {0x42, 0x45, 0x41, 0x43, 0x4F, 0x4E, 0x30, 0x00, 0x57, 0x49, 0x44, 0x45,
                          0x00, 0x00, 0x02, 0x02, 0x05, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
  for (const std::size_t start : {432, 524, 616, 708, 800, 892, 984}) {
    EXPECT_EQ(Bytes(image, start, 24), otherBlock) << start;
    EXPECT_EQ(testing::NonZeroOffsets(image, start + 24, start + 88), std::vector<std::size_t>{})
        << start;
    EXPECT_EQ(Bytes(image, start + 89, 3), (Row{0x01, 0x01, 0x00})) << start;
  }
  EXPECT_EQ(testing::NonZeroOffsets(image, 0, 339), std::vector<std::size_t>{});
  EXPECT_EQ(testing::NonZeroOffsets(image, 1076, 2047), std::vector<std::size_t>{});
}

struct BeaconRow {
  std::size_t beacon;  // 1-based
  std::size_t messageOffset;
  const char* messageFailure;
};

const std::vector<BeaconRow> kBeacons = {
    {1, 364, "Beacon 1 message - forbidden characters."},
    {2, 456, "Beacon 2 message - forbidden characters."},
    {3, 548, "Beacon 3 message - forbidden characters."},
    {4, 640, "Beacon 4 message - forbidden characters."},
    {5, 732, "Beacon 5 message - forbidden characters."},
    {6, 824, "Beacon 6 message - forbidden characters."},
    {7, 916, "Beacon 7 message - forbidden characters."},
    {8, 1008, "Beacon 8 message - forbidden characters."},
};

TEST(EncodeBeaconSettings, MessagesWithForbiddenCharactersInEveryBeacon) {
  const std::vector<std::string> refused = {
      "tab\there",  // tab
      "del\x7F",    // 127
      "Gr\xC3\xBC\xC3\x9F"
      "e",               // accented letters
      "\xE2\x82\xAC 5",  // outside Latin-1
  };
  for (const BeaconRow& row : kBeacons) {
    for (const std::string& text : refused) {
      SCOPED_TRACE(std::to_string(row.beacon) + " " + text);
      BeaconSettings settings;
      settings.beacons[row.beacon - 1].message = text;
      ConfigImage image;
      const StepResult result = EncodeBeaconSettings(settings, image);
      EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
      EXPECT_EQ(result.text, row.messageFailure);
    }
  }
}

TEST(EncodeBeaconSettings, MessagesThatPassAreStoredAsTyped) {
  struct Case {
    std::string typed;
    std::string stored;  // the 65-byte field
  };
  const std::vector<Case> cases = {
      {"", std::string(65, '\0')},
      {"     ", std::string(5, ' ') + std::string(60, '\0')},
      {std::string(64, '~'), std::string(64, '~') + '\0'},  // zero byte on the last byte
      {std::string(70, 'z'), std::string(64, 'z') + '\0'},  // cut to fit
  };
  for (const BeaconRow& row : kBeacons) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(row.beacon) + " " + c.typed);
      BeaconSettings settings;
      settings.beacons[row.beacon - 1].message = c.typed;
      ConfigImage image;
      ASSERT_TRUE(EncodeBeaconSettings(settings, image).Succeeded());
      EXPECT_EQ(Chars(image, row.messageOffset, 65), c.stored);
      EXPECT_EQ(Bytes(image, row.messageOffset + 65, 3), (Row{0x01, 0x01, 0x00}));
    }
  }
}

TEST(EncodeBeaconSettings, EmptyMessageDoesNotExemptTheBlock) {
  BeaconSettings settings;
  settings.beacons[1].block.bign = "8";
  ConfigImage image;
  EXPECT_EQ(EncodeBeaconSettings(settings, image).text,
            "Beacon 2 path, N value range error (1 - 7).");
}

TEST(EncodeBeaconSettings, EachMessageIsCheckedRightAfterItsOwnBlock) {
  struct Case {
    int badMessage;  // 1-based beacon with a tab in its message, 0 none
    int badBlock;    // 1-based beacon with n = 0, 0 none
    const char* reported;
  };
  const std::vector<Case> cases = {
      {3, 3, "Beacon 3 path, n value range error (1 - 7)."},
      {3, 4, "Beacon 3 message - forbidden characters."},
      {2, 3, "Beacon 2 message - forbidden characters."},
      {4, 3, "Beacon 3 path, n value range error (1 - 7)."},
  };
  for (const Case& c : cases) {
    BeaconSettings settings;
    settings.beacons[c.badMessage - 1].message = "a\tb";
    settings.beacons[c.badBlock - 1].block.smalln = "0";
    ConfigImage image;
    EXPECT_EQ(EncodeBeaconSettings(settings, image).text, c.reported);
  }
}

TEST(EncodeBeaconSettings, MessageCheckOrderHoldsThroughTheWholeWrite) {
  ConfigSettings settings;
  settings.beacons.beacons[2].message = "caf\xC3\xA9";
  settings.beacons.beacons[3].block.txRateRf = "4";
  settings.weather.comment = "\t";
  ConfigImage image;
  EXPECT_EQ(BuildConfigImage(settings, image).text, "Beacon 3 message - forbidden characters.");
  settings.beacons.beacons[2].block.txRateAprsIs = "1441";
  EXPECT_EQ(BuildConfigImage(settings, image).text,
            "Beacon 3 tx rate (APRSIS) range error (5 - 1440).");
}

TEST(DecodeBeaconSettings, MessageIsShownUnchangedAndRefusedOnTheNextWrite) {
  ConfigImage image;
  ASSERT_TRUE(EncodeBeaconSettings(BeaconSettings{}, image).Succeeded());
  image.bytes[640] = 'A';
  image.bytes[641] = '\t';
  image.bytes[642] = 0xE9;

  BeaconSettings settings;
  DecodeBeaconSettings(image, settings);
  EXPECT_EQ(settings.beacons[3].message, "A\t\xC3\xA9");
  EXPECT_EQ(settings.beacons[0].message, "@<date>z<lat>/<long>-VARDEX Test.");
  ConfigImage rewritten;
  EXPECT_EQ(EncodeBeaconSettings(settings, rewritten).text,
            "Beacon 4 message - forbidden characters.");
}

TEST(DecodeBeaconSettings, MessageWithoutZeroByteIsCutToSixtyFourCharacters) {
  ConfigImage image;
  ASSERT_TRUE(EncodeBeaconSettings(BeaconSettings{}, image).Succeeded());
  for (std::size_t i = 0; i < 65; ++i) image.bytes[1008 + i] = 'm';
  BeaconSettings settings;
  DecodeBeaconSettings(image, settings);
  EXPECT_EQ(settings.beacons[7].message, std::string(64, 'm'));
  EXPECT_TRUE(settings.beacons[7].block.toRf);  // 1073 read as the switch
}

TEST(DecodeBeaconSettings, RoundTripReproducesThePageBytes) {
  BeaconSettings typed;
  for (std::size_t i = 0; i < kBeaconCount; ++i) {
    Beacon& beacon = typed.beacons[i];
    beacon.block.dest = static_cast<int>(i % 2);
    beacon.block.path = i == 0 ? "" : std::string(i % 5 + 1, static_cast<char>('A' + i));
    beacon.block.bign = std::to_string(i % 7 + 1);
    beacon.block.smalln = "7";
    beacon.block.txRateRf = std::to_string(5 + 200 * i);
    beacon.block.txRateAprsIs = std::to_string(1440 - i);
    beacon.block.toRf = i % 3 == 0;
    beacon.block.toAprsIs = i % 2 == 1;
    beacon.message = std::string(8 * i + 1, static_cast<char>('0' + i));
  }
  typed.beacons[7].message = std::string(64, '}');
  ConfigImage image;
  ASSERT_TRUE(EncodeBeaconSettings(typed, image).Succeeded());

  BeaconSettings shown;
  DecodeBeaconSettings(image, shown);
  ConfigImage rewritten;
  ASSERT_TRUE(EncodeBeaconSettings(shown, rewritten).Succeeded());
  EXPECT_EQ(rewritten.bytes, image.bytes);
}

}  // namespace
}  // namespace vardex
