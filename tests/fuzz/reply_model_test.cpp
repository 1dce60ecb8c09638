#include "reply_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vardex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Records events as short words: "F" firmware ack, "E" image ack, "D<page>"
// data page, "H" bad data header, "S" bad data sum.
class Recorder : public ReplyModel::Sink {
 public:
  void OnReply(ReplyModel::Event event, std::uint16_t page) override {
    switch (event) {
      case ReplyModel::Event::kFirmwareAck:
        log += "F ";
        break;
      case ReplyModel::Event::kEepromAck:
        log += "E ";
        break;
      case ReplyModel::Event::kPageData:
        log += "D" + std::to_string(page) + " ";
        break;
      case ReplyModel::Event::kFrameCheckError:
        log += "H ";
        break;
      case ReplyModel::Event::kDataSumError:
        log += "S ";
        break;
    }
  }
  std::string log;
};

const Bytes kFirmwareAck = {0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41};
const Bytes kEepromAck = {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};
// Data header for page 1 with sum 0000, then 128 zero bytes.
Bytes PageOneOfZeros() {
  Bytes frame = {0xFF, 0x91, 0x00, 0x01, 0x00, 0x00, 0x00, 0x92};
  frame.resize(136, 0x00);
  return frame;
}
// Data header for page 15 with sum 7F80, then 128 bytes of 0xFF.
Bytes PageFifteenOfOnes() {
  Bytes frame = {0xFF, 0x91, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x9F};
  frame.resize(136, 0xFF);
  return frame;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(ReplyModel, RecognisesRepliesHoweverTheyAreSplit) {
  struct Case {
    const char* name;
    Bytes stream;
    std::size_t split;  // the stream arrives in pieces of this size
    std::string events;
  };
  Bytes badSum = PageOneOfZeros();
  badSum[100] = 0x01;
  Bytes badHeader = PageOneOfZeros();
  badHeader[7] = 0x93;
  const Case cases[] = {
      {"two acks at once", Join({kFirmwareAck, kEepromAck}), 16, "F E "},
      {"acks byte by byte", Join({kEepromAck, kFirmwareAck}), 1, "E F "},
      {"noise before an ack", Join({{0x00, 0xFF, 0x12, 0xFF}, kEepromAck}), 3, "E "},
      {"ack with a wrong check", {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}, 8, ""},
      {"data page", PageOneOfZeros(), 136, "D1 "},
      {"data page in pieces", PageFifteenOfOnes(), 5, "D15 "},
      {"data with a wrong sum", badSum, 136, "S "},
      // The bad header's 0xFF is skipped; its zeros hold no marker.
      {"data header with a wrong check", badHeader, 136, "H "},
      {"ack after a data page", Join({PageOneOfZeros(), kEepromAck}), 100, "D1 E "},
  };
  for (const Case& c : cases) {
    ReplyModel model;
    Recorder recorder;
    for (std::size_t at = 0; at < c.stream.size(); at += c.split) {
      const std::size_t n = std::min(c.split, c.stream.size() - at);
      model.Receive(std::span(c.stream).subspan(at, n), recorder);
    }
    EXPECT_EQ(recorder.log, c.events) << c.name;
  }
}

TEST(ReplyModel, AckInsideDataBytesIsTakenAsData) {
  Bytes frame = PageOneOfZeros();
  // Bytes 8 to 15 of the data are an acknowledgement; the header's sum
  // covers them: 0xFF + 0x81 + 0x81 = 0x0201.
  std::copy(kEepromAck.begin(), kEepromAck.end(), frame.begin() + 8);
  frame[4] = 0x02;
  frame[5] = 0x01;
  frame[7] = static_cast<std::uint8_t>(0x91 + 0x01 + 0x02 + 0x01);
  ReplyModel model;
  Recorder recorder;
  model.Receive(frame, recorder);
  EXPECT_EQ(recorder.log, "D1 ");
  EXPECT_EQ(model.Image()[128], 0xFF);
  EXPECT_EQ(model.Image()[129], 0x81);
}

TEST(ReplyModel, StoresPagesInsideTheImageOnly) {
  ReplyModel model;
  Recorder recorder;
  model.Receive(PageFifteenOfOnes(), recorder);
  EXPECT_EQ(model.Image()[1919], 0x00);
  EXPECT_EQ(model.Image()[1920], 0xFF);
  EXPECT_EQ(model.Image()[2047], 0xFF);

  Bytes page16 = PageFifteenOfOnes();
  page16[3] = 0x10;
  page16[7] = 0xA0;
  ReplyModel other;
  other.Receive(page16, recorder);
  EXPECT_EQ(recorder.log, "D15 D16 ");
  for (std::uint8_t byte : other.Image()) ASSERT_EQ(byte, 0x00);
}

TEST(ReplyModel, KeepsAtMost2047UnreadBytes) {
  // One delivery is stored before it is parsed: whatever lies beyond 2047
  // bytes is dropped, an acknowledgement included.
  struct Case {
    std::size_t zeros;
    std::size_t stored;
    std::string events;
    std::size_t unread;  // a marker with fewer than 8 bytes waits
  };
  const Case cases[] = {
      {2039, 2047, "E ", 0},
      {2040, 2047, "", 7},
      {4000, 2047, "", 0},
  };
  for (const Case& c : cases) {
    ReplyModel model;
    Recorder recorder;
    const Bytes stream = Join({Bytes(c.zeros, 0x00), kEepromAck});
    EXPECT_EQ(model.Receive(stream, recorder), c.stored) << c.zeros;
    EXPECT_EQ(recorder.log, c.events) << c.zeros;
    EXPECT_EQ(model.Unread(), c.unread) << c.zeros;
  }
}

TEST(ReplyModel, RingResetKeepsACollectingParserCollecting) {
  ReplyModel model;
  Recorder recorder;
  const Bytes header = {0xFF, 0x91, 0x00, 0x02, 0x00, 0x00, 0x00, 0x93};
  model.Receive(header, recorder);
  model.Receive(Bytes(60, 0x00), recorder);
  model.ResetRing();
  EXPECT_EQ(model.Unread(), 0u);
  model.Receive(Bytes(128, 0x00), recorder);
  EXPECT_EQ(recorder.log, "D2 ");
}

}  // namespace
}  // namespace vardex
