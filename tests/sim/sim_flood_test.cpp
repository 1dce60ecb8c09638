// The flood and adapter-latency switches, observed on the wire. Counts over a
// window are checked loosely; times only from below.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "sim_image_fixture.h"
#include "sim_process.h"

namespace vardex::sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReplyLimit = milliseconds(2000);
constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

const Bytes kImageAck{0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};
const Bytes kFirmwareAck{0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41};

Bytes ImagePattern() {
  Bytes image(2048);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 29 + 7);
  return image;
}

Bytes DataReply(const Bytes& image, int page) {
  const Bytes data(image.begin() + page * 128, image.begin() + page * 128 + 128);
  return Concat(Header(0x91, static_cast<std::uint16_t>(page), Sum16(data)), data);
}

Bytes ReadRequest(int page) {
  const std::uint8_t p = static_cast<std::uint8_t>(page);
  return {0xFF, 0x90, 0x00, p, 0x00, 0x00, 0x00, static_cast<std::uint8_t>(0x90 + p)};
}

// Cuts a stream into frames by marker and code (a data reply is 136 bytes,
// anything else 8); `clean` is false when a frame does not start with 0xFF.
// An incomplete frame at the end, where reading stopped, is left over.
struct Frames {
  std::vector<Bytes> frames;
  std::size_t rest = 0;
  bool clean = true;
};

Frames SplitFrames(const Bytes& stream) {
  Frames out;
  std::size_t i = 0;
  while (i + 1 < stream.size()) {
    if (stream[i] != 0xFF) {
      out.clean = false;
      break;
    }
    const std::size_t size = stream[i + 1] == 0x91 ? 136 : 8;
    if (i + size > stream.size())
      break;
    out.frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(i),
                            stream.begin() + static_cast<std::ptrdiff_t>(i + size));
    i += size;
  }
  out.rest = stream.size() - i;
  return out;
}

class SimFloodTest : public SimImageFixture {
 protected:
  bool StartWith(std::vector<std::string> args) {
    return SimImageFixture::StartWith(std::move(args), ImagePattern());
  }
};

struct FloodCase {
  const char* name;
  std::vector<std::string> args;
  int rate;
  std::size_t frameSize;
};

void PrintTo(const FloodCase& c, std::ostream* os) {
  *os << c.name;
}

class SimFloodKindTest : public SimFloodTest, public ::testing::WithParamInterface<FloodCase> {};

// Nobody reads the line before the test does, so the stream is seen from
// its first frame on: data pages come in turn from page 0. The data flood
// runs at 9600 baud, which would carry only 480 bytes in half a second.
TEST_P(SimFloodKindTest, StreamsValidFramesAtAboutTheRate) {
  const FloodCase& c = GetParam();
  const auto start = Clock::now();
  ASSERT_TRUE(StartWith(c.args));
  Port port(sim.SlavePath());
  const Bytes stream = port.Read(kAll, milliseconds(500));
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  const Frames split = SplitFrames(stream);
  ASSERT_TRUE(split.clean);
  const Bytes image = ImagePattern();
  for (std::size_t i = 0; i < split.frames.size(); ++i) {
    const Bytes expected = c.frameSize == 136   ? DataReply(image, static_cast<int>(i % 16))
                           : c.args[1] == "ack" ? kImageAck
                                                : kFirmwareAck;
    ASSERT_EQ(split.frames[i], expected) << "frame " << i;
  }
  // Never above the rate; below it only when the machine is slow, so the
  // lower bound is a quarter of what half a second holds.
  EXPECT_LE(stream.size(), static_cast<std::size_t>(c.rate * seconds));
  EXPECT_GE(split.frames.size(), static_cast<std::size_t>(c.rate / 2 / 4) / c.frameSize);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SimFloodKindTest,
    ::testing::Values(FloodCase{"Acks", {"--flood", "ack", "--flood-rate", "20000"}, 20000, 8},
                      FloodCase{
                          "FirmwareAcks", {"--flood", "fwack", "--flood-rate=30000"}, 30000, 8},
                      FloodCase{"DataPagesInTurn",
                                {"--flood", "data", "--flood-rate", "40000", "--baud", "9600"},
                                40000,
                                136}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimFloodTest, RequestsAreAnsweredBetweenFloodFrames) {
  ASSERT_TRUE(StartWith({"--flood", "ack", "--flood-rate", "50000"}));
  Port port(sim.SlavePath());
  Bytes stream = port.Read(kAll, milliseconds(100));
  ASSERT_TRUE(port.Write(ReadRequest(3)));
  const Bytes more = port.Read(kAll, milliseconds(300));
  stream.insert(stream.end(), more.begin(), more.end());

  const Frames split = SplitFrames(stream);
  ASSERT_TRUE(split.clean);
  const Bytes reply = DataReply(ImagePattern(), 3);
  int replies = 0;
  for (const Bytes& frame : split.frames) {
    if (frame.size() == 136)
      EXPECT_EQ(frame, reply) << "after " << replies << " replies";
    else
      EXPECT_EQ(frame, kImageAck);
    replies += frame.size() == 136;
  }
  EXPECT_EQ(replies, 1);
}

TEST_F(SimFloodTest, FloodStartsAfterTheNamedReply) {
  ASSERT_TRUE(StartWith({"--flood", "ack", "--flood-after", "2", "--flood-rate", "50000"}));
  Port port(sim.SlavePath());
  const Bytes image = ImagePattern();
  EXPECT_TRUE(port.StaysSilent(milliseconds(200)));
  ASSERT_TRUE(port.Write(ReadRequest(0)));
  EXPECT_EQ(port.Read(136, kReplyLimit), DataReply(image, 0));
  EXPECT_TRUE(port.StaysSilent(milliseconds(200)));

  ASSERT_TRUE(port.Write(ReadRequest(1)));
  EXPECT_EQ(port.Read(136, kReplyLimit), DataReply(image, 1));
  Bytes tenAcks;
  for (int i = 0; i < 10; ++i) tenAcks = Concat(tenAcks, kImageAck);
  EXPECT_EQ(port.Read(80, kReplyLimit), tenAcks);
}

// The end is exact: 0.2 s at 20000 bytes a second are 4000 bytes, 500 frames.
TEST_F(SimFloodTest, FloodForEndsTheStreamAfterItsShare) {
  ASSERT_TRUE(StartWith({"--flood", "fwack", "--flood-rate", "20000", "--flood-for", "0.2"}));
  Port port(sim.SlavePath());
  const Bytes stream = port.Read(4000, kReplyLimit);
  EXPECT_TRUE(port.StaysSilent(milliseconds(300)));
  const Frames split = SplitFrames(stream);
  ASSERT_TRUE(split.clean);
  EXPECT_EQ(split.rest, 0u);
  ASSERT_EQ(split.frames.size(), 500u);
  for (const Bytes& frame : split.frames) ASSERT_EQ(frame, kFirmwareAck);

  // Over, but still a device.
  ASSERT_TRUE(port.Write(ReadRequest(9)));
  EXPECT_EQ(port.Read(136, kReplyLimit), DataReply(ImagePattern(), 9));
}

struct LatencyCase {
  const char* name;
  Bytes request;
  Bytes reply;
};

void PrintTo(const LatencyCase& c, std::ostream* os) {
  *os << c.name;
}

class SimLatencyTest : public SimFloodTest, public ::testing::WithParamInterface<LatencyCase> {};

// 40 ms of latency timer: the ack is held whole, the data reply's last
// 8 bytes (past two 64-byte packets) are held. Lower bounds only.
TEST_P(SimLatencyTest, ReplyIsHeldByTheLatencyTimer) {
  ASSERT_TRUE(StartWith({"--latency-ms", "40"}));
  Port port(sim.SlavePath());
  for (int round = 0; round < 2; ++round) {
    const auto start = Clock::now();
    ASSERT_TRUE(port.Write(GetParam().request));
    EXPECT_EQ(port.Read(GetParam().reply.size(), kReplyLimit), GetParam().reply);
    EXPECT_GE(Clock::now() - start, milliseconds(40));
  }
}

Bytes ZeroPageWrite() {
  return Concat({0xFF, 0x80, 0x00, 0x01, 0x00, 0x00, 0x00, 0x81}, Bytes(128, 0x00));
}

INSTANTIATE_TEST_SUITE_P(Replies, SimLatencyTest,
                         ::testing::Values(LatencyCase{"Ack", ZeroPageWrite(), kImageAck},
                                           LatencyCase{"DataReply", ReadRequest(12),
                                                       DataReply(ImagePattern(), 12)}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vardex::sim
