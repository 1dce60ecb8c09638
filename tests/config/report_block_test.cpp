#include "report_block.h"

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
using testing::NonZeroOffsets;

// One row per instance: its offsets, its start-up Dest and its five
// messages, all as the device's documentation lists them.
struct InstanceRow {
  ReportBlockInstance instance;
  std::size_t dest, path, bign, smalln, txRateRf, txRateAprsIs, toRf, toAprsIs;
  int defaultDest;
  const char* name;
  const char* bignMessage;
  const char* smallnMessage;
  const char* orderMessage;
  const char* rfMessage;
  const char* isMessage;
};

using I = ReportBlockInstance;

const std::vector<InstanceRow> kInstances = {
    {I::kBeacon1, 340, 348, 354, 355, 356, 360, 429, 430, 1, "Beacon 1",
     "Beacon 1 path, N value range error (1 - 7).", "Beacon 1 path, n value range error (1 - 7).",
     "Beacon 1 path, n should be >= N.", "Beacon 1 tx rate (RF) range error (5 - 1440).",
     "Beacon 1 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon2, 432, 440, 446, 447, 448, 452, 521, 522, 0, "Beacon 2",
     "Beacon 2 path, N value range error (1 - 7).", "Beacon 2 path, n value range error (1 - 7).",
     "Beacon 2 path, n should be >= N.", "Beacon 2 tx rate (RF) range error (5 - 1440).",
     "Beacon 2 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon3, 524, 532, 538, 539, 540, 544, 613, 614, 0, "Beacon 3",
     "Beacon 3 path, N value range error (1 - 7).", "Beacon 3 path, n value range error (1 - 7).",
     "Beacon 3 path, n should be >= N.", "Beacon 3 tx rate (RF) range error (5 - 1440).",
     "Beacon 3 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon4, 616, 624, 630, 631, 632, 636, 705, 706, 0, "Beacon 4",
     "Beacon 4 path, N value range error (1 - 7).", "Beacon 4 path, n value range error (1 - 7).",
     "Beacon 4 path, n should be >= N.", "Beacon 4 tx rate (RF) range error (5 - 1440).",
     "Beacon 4 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon5, 708, 716, 722, 723, 724, 728, 797, 798, 0, "Beacon 5",
     "Beacon 5 path, N value range error (1 - 7).", "Beacon 5 path, n value range error (1 - 7).",
     "Beacon 5 path, n should be >= N.", "Beacon 5 tx rate (RF) range error (5 - 1440).",
     "Beacon 5 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon6, 800, 808, 814, 815, 816, 820, 889, 890, 0, "Beacon 6",
     "Beacon 6 path, N value range error (1 - 7).", "Beacon 6 path, n value range error (1 - 7).",
     "Beacon 6 path, n should be >= N.", "Beacon 6 tx rate (RF) range error (5 - 1440).",
     "Beacon 6 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon7, 892, 900, 906, 907, 908, 912, 981, 982, 0, "Beacon 7",
     "Beacon 7 path, N value range error (1 - 7).", "Beacon 7 path, n value range error (1 - 7).",
     "Beacon 7 path, n should be >= N.", "Beacon 7 tx rate (RF) range error (5 - 1440).",
     "Beacon 7 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kBeacon8, 984, 992, 998, 999, 1000, 1004, 1073, 1074, 0, "Beacon 8",
     "Beacon 8 path, N value range error (1 - 7).", "Beacon 8 path, n value range error (1 - 7).",
     "Beacon 8 path, n should be >= N.", "Beacon 8 tx rate (RF) range error (5 - 1440).",
     "Beacon 8 tx rate (APRSIS) range error (5 - 1440)."},
    {I::kWeatherReport, 53, 61, 67, 68, 72, 76, 113, 114, 1, "Weather report",
     "Weather report path, N value range error (1 - 7).",
     "Weather report path, n value range error (1 - 7).", "Weather report path, n should be >= N.",
     "Weather report tx rate (RF) range error (5 - 1440).",
     "Weather report tx rate (APRSIS) range error (5 - 1440)."},
    {I::kTelemetryData, 1269, 1277, 1283, 1284, 1288, 1292, 1285, 1286, 1, "Telemetry data",
     "Telemeetry data path, N value range error (1 - 7).",
     "Telemeetry data path, n value range error (1 - 7).",
     "Telemeetry data path, n should be >= N.",
     "Telemeetry data tx rate (RF) range error (5 - 1440).",
     "Telemeetry data tx rate (APRSIS) range error (5 - 1440)."},
    {I::kTelemetryParameters, 1296, 1304, 1310, 1311, 1316, 1320, 1312, 1313, 1,
     "Telemetry parameters", "Telemeetry parameters path, N value range error (1 - 7).",
     "Telemeetry parameters path, n value range error (1 - 7).",
     "Telemeetry parameters path, n should be >= N.",
     "Telemeetry parameters tx rate (RF) range error (5 - 1440).",
     "Telemeetry parameters tx rate (APRSIS) range error (5 - 1440)."},
};

void PutChars(ConfigImage& image, std::size_t offset, const std::string& chars) {
  for (std::size_t i = 0; i < chars.size(); ++i) {
    image.bytes[offset + i] = static_cast<std::uint8_t>(chars[i]);
  }
}

void PutLittleEndian(ConfigImage& image, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) image.bytes[offset + i] = (value >> (8 * i)) & 0xFF;
}

TEST(ReportBlockLayoutTable, DescribesEveryInstance) {
  ASSERT_EQ(kReportBlockLayouts.size(), kInstances.size());
  for (const InstanceRow& row : kInstances) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DefaultReportBlock(row.instance).dest, row.defaultDest);
  }
}

// Every field lands at its offset; the N byte precedes the n byte, the
// telemetry switches precede their rates, and nothing else is touched.
TEST(EncodeReportBlock, WritesEachFieldAtItsOffsetAndNothingElse) {
  for (const InstanceRow& row : kInstances) {
    for (const bool rfOn : {true, false}) {
      SCOPED_TRACE(std::string(row.name) + (rfOn ? " RF on" : " IS on"));
      ReportBlockSettings settings;
      settings.dest = 0;
      settings.path = "AB";
      settings.bign = "3";
      settings.smalln = "4";
      settings.txRateRf = "300";
      settings.txRateAprsIs = "1440";
      settings.toRf = rfOn;
      settings.toAprsIs = !rfOn;
      ConfigImage image;
      ASSERT_TRUE(EncodeReportBlock(LayoutOf(row.instance), settings, image).Succeeded());

      ConfigImage expected;
      PutChars(expected, row.dest, "BEACON0");
      PutChars(expected, row.path, "AB");
      expected.bytes[row.bign] = 3;
      expected.bytes[row.smalln] = 4;
      PutChars(expected, row.txRateRf, std::string("\x2C\x01", 2));
      PutChars(expected, row.txRateAprsIs, std::string("\xA0\x05", 2));
      expected.bytes[rfOn ? row.toRf : row.toAprsIs] = 1;
      EXPECT_EQ(image.bytes, expected.bytes);
    }
  }
}

TEST(EncodeReportBlock, StartUpBlocksOfTheReportsWithTheirOwnDest) {
  // dest (8), path (6), N, n: the beacons differ only by Dest.
  const std::vector<std::uint8_t> apvdx = {0x41, 0x50, 0x56, 0x44, 0x58, 0x31, 0x30, 0x00,
                                           0x57, 0x49, 0x44, 0x45, 0x00, 0x00, 0x02, 0x02};
  const std::vector<std::uint8_t> beacon0 = {0x42, 0x45, 0x41, 0x43, 0x4F, 0x4E, 0x30, 0x00,
                                             0x57, 0x49, 0x44, 0x45, 0x00, 0x00, 0x02, 0x02};
  for (const InstanceRow& row : kInstances) {
    SCOPED_TRACE(row.name);
    ConfigImage image;
    ASSERT_TRUE(EncodeReportBlock(LayoutOf(row.instance), DefaultReportBlock(row.instance), image)
                    .Succeeded());
    const std::vector<std::uint8_t> destPath = row.defaultDest == 1 ? apvdx : beacon0;
    EXPECT_EQ(Bytes(image, row.dest, 8), std::vector(destPath.begin(), destPath.begin() + 8));
    EXPECT_EQ(Bytes(image, row.path, 6), std::vector(destPath.begin() + 8, destPath.begin() + 14));
    EXPECT_EQ(image.bytes[row.bign], 2);
    EXPECT_EQ(image.bytes[row.smalln], 2);
    EXPECT_EQ(Bytes(image, row.txRateRf, 4), (std::vector<std::uint8_t>{5, 0, 0, 0}));
    EXPECT_EQ(Bytes(image, row.txRateAprsIs, 4), (std::vector<std::uint8_t>{5, 0, 0, 0}));
    EXPECT_EQ(image.bytes[row.toRf], 1);
    EXPECT_EQ(image.bytes[row.toAprsIs], 1);
  }
}

enum class Expect { kPass, kBign, kSmalln, kOrder, kRf, kIs };

struct RuleCase {
  const char* bign;
  const char* smalln;
  const char* rf;
  const char* is;
  Expect expect;
};

const std::vector<RuleCase> kRuleCases = {
    {"1", "1", "5", "5", Expect::kPass},
    {"7", "7", "1440", "1440", Expect::kPass},
    {"1", "7", "5", "5", Expect::kPass},  // n above N is fine
    {"0", "2", "5", "5", Expect::kBign},
    {"8", "2", "5", "5", Expect::kBign},
    {"9", "9", "5", "5", Expect::kBign},
    {"0", "0", "4", "4", Expect::kBign},  // N is checked first
    {"2", "0", "5", "5", Expect::kSmalln},
    {"2", "8", "5", "5", Expect::kSmalln},
    {"2", "9", "4", "4", Expect::kSmalln},  // n before the rates
    {"3", "2", "5", "5", Expect::kOrder},
    {"3", "2", "1441", "1441", Expect::kOrder},  // order before the rates
    {"2", "2", "4", "5", Expect::kRf},
    {"2", "2", "1441", "5", Expect::kRf},
    {"2", "2", "-5", "5", Expect::kRf},
    {"2", "2", "1441", "4", Expect::kRf},  // RF before IS
    {"2", "2", "5", "4", Expect::kIs},
    {"2", "2", "5", "1441", Expect::kIs},
    {"2", "2", "5", "-5", Expect::kIs},
};

const char* ExpectedMessage(const InstanceRow& row, Expect expect) {
  switch (expect) {
    case Expect::kBign:
      return row.bignMessage;
    case Expect::kSmalln:
      return row.smallnMessage;
    case Expect::kOrder:
      return row.orderMessage;
    case Expect::kRf:
      return row.rfMessage;
    case Expect::kIs:
      return row.isMessage;
    case Expect::kPass:
      break;
  }
  return "";
}

TEST(EncodeReportBlock, RulesAtTheirBoundariesForEveryInstance) {
  for (const InstanceRow& row : kInstances) {
    for (const RuleCase& c : kRuleCases) {
      SCOPED_TRACE(std::string(row.name) + " N=" + c.bign + " n=" + c.smalln + " rf=" + c.rf +
                   " is=" + c.is);
      ReportBlockSettings settings = DefaultReportBlock(row.instance);
      settings.bign = c.bign;
      settings.smalln = c.smalln;
      settings.txRateRf = c.rf;
      settings.txRateAprsIs = c.is;
      ConfigImage image;
      const StepResult result = EncodeReportBlock(LayoutOf(row.instance), settings, image);
      if (c.expect == Expect::kPass) {
        EXPECT_TRUE(result.Succeeded()) << result.text;
      } else {
        EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
        EXPECT_EQ(result.text, ExpectedMessage(row, c.expect));
      }
    }
  }
}

TEST(EncodeReportBlock, NegativeRateIsStoredAsItsThirtyTwoBits) {
  ReportBlockSettings settings;
  settings.txRateRf = "-5";
  ConfigImage image;
  EncodeReportBlock(LayoutOf(I::kBeacon1), settings, image);
  EXPECT_EQ(Bytes(image, 356, 4), (std::vector<std::uint8_t>{0xFB, 0xFF, 0xFF, 0xFF}));
}

TEST(EncodeReportBlock, NumberBoxesThatDoNotConvertEndTheStepWithTheirText) {
  struct Case {
    const char* bign;
    const char* smalln;
    const char* rf;
    const char* is;
    const char* boxText;
  };
  const std::vector<Case> cases = {
      {"", "9", "5", "5", ""},  // before the n range check
      {"2", "x", "5", "5", "x"},
      {"2", "2", "5 ", "5", "5 "},  // a trailing blank does not convert
      {"2", "2", "5", "", ""},
  };
  for (const Case& c : cases) {
    ReportBlockSettings settings;
    settings.bign = c.bign;
    settings.smalln = c.smalln;
    settings.txRateRf = c.rf;
    settings.txRateAprsIs = c.is;
    ConfigImage image;
    const StepResult result = EncodeReportBlock(LayoutOf(I::kWeatherReport), settings, image);
    EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
    EXPECT_EQ(result.text, c.boxText);
  }
}

TEST(EncodeReportBlock, EmptyPathLeavesItsBytesZeroAndTheNumbersAreStillChecked) {
  ReportBlockSettings settings;
  settings.path = "";
  ConfigImage image;
  ASSERT_TRUE(EncodeReportBlock(LayoutOf(I::kBeacon5), settings, image).Succeeded());
  EXPECT_EQ(NonZeroOffsets(image, 716, 721), std::vector<std::size_t>{});

  settings.bign = "8";
  EXPECT_EQ(EncodeReportBlock(LayoutOf(I::kBeacon5), settings, image).text,
            "Beacon 5 path, N value range error (1 - 7).");
}

TEST(EncodeReportBlock, DestWithoutSelectionLeavesItsEightBytesZero) {
  for (const int dest : {-1, 2}) {
    ReportBlockSettings settings;
    settings.dest = dest;
    ConfigImage image;
    ASSERT_TRUE(EncodeReportBlock(LayoutOf(I::kTelemetryData), settings, image).Succeeded());
    EXPECT_EQ(NonZeroOffsets(image, 1269, 1276), std::vector<std::size_t>{});
  }
}

TEST(EncodeReportBlock, PathIsStoredAsTypedAndCutToItsField) {
  struct Case {
    const char* typed;
    std::vector<std::uint8_t> stored;  // six bytes at the path offset
  };
  const std::vector<Case> cases = {
      {"wide", {0x77, 0x69, 0x64, 0x65, 0x00, 0x00}},           // no case conversion
      {"ABCDE", {0x41, 0x42, 0x43, 0x44, 0x45, 0x00}},          // five characters fill it
      {"ABCDEFG", {0x41, 0x42, 0x43, 0x44, 0x45, 0x00}},        // longer texts are cut
      {"W\xC3\xA9", {0x57, 0xE9, 0x00, 0x00, 0x00, 0x00}},      // Latin-1 letter as one byte
      {"W\xE2\x82\xAC", {0x57, 0x3F, 0x00, 0x00, 0x00, 0x00}},  // no Latin-1 form: "?"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ReportBlockSettings settings;
    settings.path = c.typed;
    ConfigImage image;
    ASSERT_TRUE(EncodeReportBlock(LayoutOf(I::kBeacon1), settings, image).Succeeded());
    EXPECT_EQ(Bytes(image, 348, 6), c.stored);
    EXPECT_EQ(image.bytes[354], 2);  // the N byte right after is untouched
  }
}

TEST(DecodeReportBlock, DestFollowsTheStoredTextOrKeepsItsSelection) {
  struct Case {
    std::string stored;  // eight bytes
    int before;
    int after;
  };
  const std::vector<Case> cases = {
      {std::string("BEACON0\0", 8), 1, 0},          {std::string("APVDX10\0", 8), 0, 1},
      {std::string("APVDX10\0", 8), -1, 1},         {std::string("APVDX11\0", 8), 0, 0},
      {std::string("APVDX10X", 8), 0, 0},  // no zero byte: not the entry
      {std::string("\0\0\0\0\0\0\0\0", 8), -1, -1},
  };
  for (const InstanceRow& row : kInstances) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(row.name) + " " + c.stored);
      ConfigImage image;
      PutChars(image, row.dest, c.stored);
      ReportBlockSettings settings;
      settings.dest = c.before;
      DecodeReportBlock(image, LayoutOf(row.instance), settings);
      EXPECT_EQ(settings.dest, c.after);
    }
  }
}

TEST(DecodeReportBlock, OutOfRuleValuesAreShownUnchangedAndRefusedOnTheNextWrite) {
  for (const InstanceRow& row : kInstances) {
    SCOPED_TRACE(row.name);
    ConfigImage image;
    PutChars(image, row.path, "WIDE1");
    image.bytes[row.bign] = 9;
    image.bytes[row.smalln] = 0;
    PutLittleEndian(image, row.txRateRf, 1441);
    PutLittleEndian(image, row.txRateAprsIs, 0xFFFFFFFF);
    image.bytes[row.toRf] = 2;
    image.bytes[row.toAprsIs] = 0;

    ReportBlockSettings settings;
    DecodeReportBlock(image, LayoutOf(row.instance), settings);
    EXPECT_EQ(settings.path, "WIDE1");
    EXPECT_EQ(settings.bign, "9");
    EXPECT_EQ(settings.smalln, "0");
    EXPECT_EQ(settings.txRateRf, "1441");
    EXPECT_EQ(settings.txRateAprsIs, "4294967295");
    EXPECT_TRUE(settings.toRf);
    EXPECT_FALSE(settings.toAprsIs);

    ConfigImage rewritten;
    EXPECT_EQ(EncodeReportBlock(LayoutOf(row.instance), settings, rewritten).text, row.bignMessage);
    settings.bign = "2";
    settings.smalln = "2";
    EXPECT_EQ(EncodeReportBlock(LayoutOf(row.instance), settings, rewritten).text, row.rfMessage);
    settings.txRateRf = "5";
    // Beyond the signed 32-bit range the box no longer converts: refused too.
    const StepResult result = EncodeReportBlock(LayoutOf(row.instance), settings, rewritten);
    EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
    EXPECT_EQ(result.text, "4294967295");
  }
}

// A rate the three-character boxes cannot take by typing still round-trips.
TEST(DecodeReportBlock, FourDigitRateInAThreeCharacterBoxIsShownInFullAndWrittenBack) {
  for (const InstanceRow& row : kInstances) {
    SCOPED_TRACE(row.name);
    ConfigImage image;
    PutChars(image, row.dest, "APVDX10");
    PutChars(image, row.path, "WIDE");
    image.bytes[row.bign] = 1;
    image.bytes[row.smalln] = 3;
    PutLittleEndian(image, row.txRateRf, 1000);
    PutLittleEndian(image, row.txRateAprsIs, 1440);
    image.bytes[row.toRf] = 1;

    ReportBlockSettings settings;
    DecodeReportBlock(image, LayoutOf(row.instance), settings);
    EXPECT_EQ(settings.txRateRf, "1000");
    EXPECT_EQ(settings.txRateAprsIs, "1440");

    ConfigImage rewritten;
    ASSERT_TRUE(EncodeReportBlock(LayoutOf(row.instance), settings, rewritten).Succeeded());
    EXPECT_EQ(rewritten.bytes, image.bytes);
  }
}

TEST(DecodeReportBlock, PathWithoutZeroByteIsCutToFitItsFieldAgain) {
  for (const InstanceRow& row : kInstances) {
    SCOPED_TRACE(row.name);
    ConfigImage image;
    PutChars(image, row.path, "ABCDEF");
    image.bytes[row.bign] = 2;  // the byte after the path field
    ReportBlockSettings settings;
    DecodeReportBlock(image, LayoutOf(row.instance), settings);
    EXPECT_EQ(settings.path, "ABCDE");
  }
}

// The weather page comes before the telemetry blocks; of those, the data
// block is checked first although its row stands lower on the page.
TEST(ReportBlocksInTheWriteOrder, WeatherThenTelemetryDataThenParameters) {
  ConfigSettings settings;
  settings.weather.comment = "\x7F";
  settings.telemetryData.smalln = "0";
  settings.telemetryParameters.bign = "8";
  ConfigImage image;
  EXPECT_EQ(BuildConfigImage(settings, image).text,
            "Weather report comment - forbidden characters.");
  settings.weather.comment = "ok";
  EXPECT_EQ(BuildConfigImage(settings, image).text,
            "Telemeetry data path, n value range error (1 - 7).");
  settings.telemetryData.smalln = "2";
  EXPECT_EQ(BuildConfigImage(settings, image).text,
            "Telemeetry parameters path, N value range error (1 - 7).");
  settings.telemetryParameters.bign = "2";
  EXPECT_TRUE(BuildConfigImage(settings, image).Succeeded());
}

TEST(CheckPrintableText, RefusesControlsDeleteAndAnythingBeyondAscii) {
  const std::vector<std::string> refused = {
      "a\tb",                // tab
      "\x1F",                // last control character
      "abc\x7F",             // 127
      "caf\xC3\xA9",         // accented letter (Latin-1 0xE9)
      "\xC2\xA0",            // no-break space (Latin-1 0xA0)
      "price \xE2\x82\xAC",  // euro sign, outside Latin-1
  };
  for (const std::string& text : refused) {
    const StepResult result = CheckPrintableText(text, "Beacon 4 message - forbidden characters.");
    EXPECT_EQ(result.kind, StepResult::Kind::kInvalid) << text;
    EXPECT_EQ(result.text, "Beacon 4 message - forbidden characters.");
  }
}

TEST(CheckPrintableText, AcceptsSpaceToTilde) {
  const std::vector<std::string> accepted = {
      "", "   ", " ~", "@<date>z<lat>/<long>-VARDEX Test.", std::string(64, 'x'),
  };
  for (const std::string& text : accepted) {
    EXPECT_TRUE(CheckPrintableText(text, "unused").Succeeded()) << text;
  }
}

}  // namespace
}  // namespace vardex
