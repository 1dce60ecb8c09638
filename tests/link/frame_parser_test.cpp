#include "frame_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vardex {
namespace {

using Bytes = std::vector<std::uint8_t>;

class RecordingEvents final : public FrameEvents {
 public:
  std::vector<std::string> events;
  void OnFirmwarePageAck() override { events.push_back("firmware ack"); }
  void OnEepromPageAck() override { events.push_back("image ack"); }
  void OnEepromPageData(std::uint16_t page,
                        std::span<const std::uint8_t, kPageSize> data) override {
    events.push_back("data page " + std::to_string(page) + " first " + std::to_string(data[0]) +
                     " last " + std::to_string(data[127]));
  }
  void OnParserLog(std::string_view line) override { events.push_back(std::string(line)); }
};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Filled(std::size_t count, std::uint8_t value) {
  return Bytes(count, value);
}

const Bytes kFirmwareAck{0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41};
const Bytes kImageAck{0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};
// Page 1, 128 bytes of 0x01: sum 0x0080, check 0x91+0x01+0x80 = 0x112 -> 0x12.
const Bytes kDataHeaderPage1{0xFF, 0x91, 0x00, 0x01, 0x00, 0x80, 0x00, 0x12};

struct Fixture {
  ReceiveRing ring;
  FrameParser parser;
  RecordingEvents recorder;
  void Poll(const Bytes& bytes) {
    ring.Store(bytes);
    parser.Parse(ring, recorder);
  }
};

struct FailureRow {
  const char* situation;
  Bytes stream;
  std::vector<std::string> events;
};

class ParserFailureTable : public ::testing::TestWithParam<FailureRow> {};

// Each row ends with a valid acknowledgement to show that hunting goes on.
TEST_P(ParserFailureTable, RecoversAsSpecifiedAndHuntsOn) {
  Fixture f;
  f.Poll(Concat({GetParam().stream, kImageAck}));
  std::vector<std::string> expected = GetParam().events;
  expected.push_back("image ack");
  EXPECT_EQ(f.recorder.events, expected) << GetParam().situation;
  EXPECT_TRUE(f.ring.Empty());
  EXPECT_FALSE(f.parser.Collecting());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParserFailureTable,
    ::testing::Values(
        FailureRow{"noise in hunting state", {0x00, 0x13, 0x41, 0x81, 0x91, 0xFE}, {}},
        FailureRow{
            "0xFF followed by another code", {0xFF, 0x55, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55}, {}},
        FailureRow{"firmware ack with a wrong check",
                   {0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x42},
                   {}},
        FailureRow{
            "image ack with a wrong check", {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}, {}},
        FailureRow{"data header with a wrong check",
                   {0xFF, 0x91, 0x00, 0x01, 0x00, 0x00, 0x00, 0x93},
                   {"Eeprom frame checksum error."}},
        FailureRow{"data whose sum differs from the header's",
                   Concat({{0xFF, 0x91, 0x00, 0x01, 0x00, 0x81, 0x00, 0x13}, Filled(128, 0x01)}),
                   {"Eeprom page data checksum error."}}));

TEST(FrameParser, AcceptsADataPageAndReportsThePageItCarries) {
  Fixture f;
  f.Poll(Concat({kDataHeaderPage1, Filled(128, 0x01)}));
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"data page 1 first 1 last 1"}));
}

TEST(FrameParser, ChecksAndConsumesAHeaderAcrossTheWrap) {
  Fixture f;
  f.ring.SetIndexesForTest(2045, 2045);
  f.Poll(kImageAck);
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"image ack"}));
  EXPECT_EQ(f.ring.ReadIndex(), 5);
}

TEST(FrameParser, LeavesAMarkerWithSevenBytesBehindItInPlace) {
  Fixture f;
  f.ring.SetIndexesForTest(300, 300);
  f.Poll(Bytes(kFirmwareAck.begin(), kFirmwareAck.end() - 1));
  EXPECT_TRUE(f.recorder.events.empty());
  EXPECT_EQ(f.ring.ReadIndex(), 300);
  EXPECT_EQ(f.ring.Peek(0), 0xFF);
  f.Poll({0x41});
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"firmware ack"}));
}

TEST(FrameParser, CompletesADataPageSplitOverPolls) {
  Fixture f;
  f.Poll(Concat({kDataHeaderPage1, Filled(60, 0x01)}));
  EXPECT_TRUE(f.recorder.events.empty());
  EXPECT_TRUE(f.parser.Collecting());
  f.Poll(Filled(68, 0x01));
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"data page 1 first 1 last 1"}));
  EXPECT_FALSE(f.parser.Collecting());
}

TEST(FrameParser, HandlesTwoAcknowledgementsOfOnePollInOrder) {
  Fixture f;
  f.Poll(Concat({kFirmwareAck, kImageAck}));
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"firmware ack", "image ack"}));
}

TEST(FrameParser, TakesAMarkerInsidePageDataAsData) {
  // Data: FF 41 00 00 00 00 00 41 (a whole ack) then 120 zeros; sum 0x0181;
  // header check 0x91+0x02+0x01+0x81 = 0x115 -> 0x15.
  Bytes data = Concat({kFirmwareAck, Filled(120, 0x00)});
  Fixture f;
  f.Poll(Concat({{0xFF, 0x91, 0x00, 0x02, 0x01, 0x81, 0x00, 0x15}, data}));
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"data page 2 first 255 last 0"}));
}

TEST(FrameParser, CollectingSurvivesARingReset) {
  Fixture f;
  f.Poll(Concat({kDataHeaderPage1, Filled(20, 0x01)}));
  f.ring.Reset();
  f.Poll(Filled(128, 0x01));
  EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"data page 1 first 1 last 1"}));
}

TEST(FrameParser, GivesTheSameEventsWhetherBytesComeOneByOneOrAllAtOnce) {
  const Bytes stream = Concat({{0x00, 0xFF, 0x12},
                               kFirmwareAck,
                               {0xFF, 0x91, 0x00, 0x01, 0x00, 0x00, 0x00, 0x93},
                               kDataHeaderPage1,
                               Filled(128, 0x01),
                               {0xFF, 0x91, 0x00, 0x01, 0x00, 0x81, 0x00, 0x13},
                               Filled(128, 0x01),
                               kImageAck,
                               {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x82},
                               kImageAck});
  Fixture atOnce;
  atOnce.Poll(stream);
  Fixture oneByOne;
  for (std::uint8_t byte : stream) oneByOne.Poll({byte});
  const std::vector<std::string> expected{"firmware ack",
                                          "Eeprom frame checksum error.",
                                          "data page 1 first 1 last 1",
                                          "Eeprom page data checksum error.",
                                          "image ack",
                                          "image ack"};
  EXPECT_EQ(atOnce.recorder.events, expected);
  EXPECT_EQ(oneByOne.recorder.events, expected);
}

}  // namespace
}  // namespace vardex
