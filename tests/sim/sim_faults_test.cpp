// The fault switches, each observed on the wire.
#include <gtest/gtest.h>

#include <string>

#include "sim_image_fixture.h"
#include "sim_process.h"

namespace vardex::sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReplyLimit = milliseconds(2000);
constexpr auto kQuiet = milliseconds(300);

const Bytes kImageAck{0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};

Bytes ImagePattern() {
  Bytes image(2048);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 1);
  return image;
}

Bytes ImagePageOf(const Bytes& image, int page) {
  return Bytes(image.begin() + page * 128, image.begin() + page * 128 + 128);
}

Bytes ReadRequest(int page) {
  const std::uint8_t p = static_cast<std::uint8_t>(page);
  return {0xFF, 0x90, 0x00, p, 0x00, 0x00, 0x00, static_cast<std::uint8_t>(0x90 + p)};
}

class SimFaultFixture : public SimImageFixture {
 protected:
  bool StartWith(std::vector<std::string> args) {
    return SimImageFixture::StartWith(std::move(args), ImagePattern());
  }
};

// One step of a conversation: write image page p, or request page p.
struct Step {
  char kind;  // 'W' or 'R'
  int page;
  enum Outcome { kExact, kSilent, kBadCheck, kBadData } outcome;
};

struct FaultCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<Step> steps;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class SimFaultTest : public SimFaultFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SimFaultTest, RepliesAreSpoiledAsAsked) {
  ASSERT_TRUE(StartWith(GetParam().args));
  Port port(sim.SlavePath());
  const Bytes image = ImagePattern();
  int n = 0;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(++n));
    Bytes exact;
    if (step.kind == 'W') {
      const Bytes data = ImagePageOf(image, step.page);
      ASSERT_TRUE(port.Write(
          Concat(Header(0x80, static_cast<std::uint16_t>(step.page), Sum16(data)), data)));
      exact = kImageAck;
    } else {
      ASSERT_TRUE(port.Write(ReadRequest(step.page)));
      const Bytes data = ImagePageOf(image, step.page);
      exact = Concat(Header(0x91, static_cast<std::uint16_t>(step.page), Sum16(data)), data);
    }

    if (step.outcome == Step::kSilent) {
      EXPECT_TRUE(port.StaysSilent(kQuiet));
      continue;
    }
    const Bytes got = port.Read(exact.size(), kReplyLimit);
    ASSERT_EQ(got.size(), exact.size());
    switch (step.outcome) {
      case Step::kExact:
        EXPECT_EQ(got, exact);
        break;
      case Step::kBadCheck:
        EXPECT_EQ(Bytes(got.begin(), got.begin() + 7), Bytes(exact.begin(), exact.begin() + 7));
        EXPECT_NE(got[7], exact[7]);
        EXPECT_EQ(Bytes(got.begin() + 8, got.end()), Bytes(exact.begin() + 8, exact.end()));
        break;
      case Step::kBadData: {
        EXPECT_EQ(Bytes(got.begin(), got.begin() + 8), Bytes(exact.begin(), exact.begin() + 8));
        int differing = 0;
        for (std::size_t i = 8; i < got.size(); ++i) differing += got[i] != exact[i];
        EXPECT_EQ(differing, 1);
        const Bytes data(got.begin() + 8, got.end());
        EXPECT_NE(Sum16(data), got[4] << 8 | got[5]) << "the data sum must fail";
        break;
      }
      case Step::kSilent:
        break;
    }
  }
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Switches, SimFaultTest,
    ::testing::Values(
        FaultCase{"NoFaults", {}, {{'R', 0, S::kExact}, {'W', 2, S::kExact}, {'R', 2, S::kExact}}},
        FaultCase{"DropSecond",
                  {"--drop", "2"},
                  {{'R', 0, S::kExact}, {'R', 1, S::kSilent}, {'R', 1, S::kExact}}},
        FaultCase{
            "DropList",
            {"--drop", "1,3"},
            {{'R', 0, S::kSilent}, {'R', 0, S::kExact}, {'W', 4, S::kSilent}, {'W', 4, S::kExact}}},
        FaultCase{"DropRepeated",
                  {"--drop", "1", "--drop=3"},
                  {{'W', 0, S::kSilent}, {'R', 0, S::kExact}, {'R', 0, S::kSilent}}},
        FaultCase{"CorruptHeaderOfAck",
                  {"--corrupt-header", "2"},
                  {{'R', 5, S::kExact}, {'W', 5, S::kBadCheck}, {'W', 5, S::kExact}}},
        FaultCase{"CorruptHeaderOfData",
                  {"--corrupt-header", "1,3"},
                  {{'R', 7, S::kBadCheck}, {'R', 7, S::kExact}, {'R', 8, S::kBadCheck}}},
        // Data replies are counted on their own: the ack in between does not count.
        FaultCase{
            "CorruptDataCountsDataReplies",
            {"--corrupt-data", "2"},
            {{'R', 1, S::kExact}, {'W', 1, S::kExact}, {'R', 9, S::kBadData}, {'R', 9, S::kExact}}},
        FaultCase{"CorruptDataRepeated",
                  {"--corrupt-data", "1", "--corrupt-data", "3"},
                  {{'R', 15, S::kBadData}, {'R', 15, S::kExact}, {'R', 15, S::kBadData}}},
        FaultCase{"DropEveryThird",
                  {"--drop-every", "3"},
                  {{'R', 0, S::kExact},
                   {'W', 1, S::kExact},
                   {'R', 2, S::kSilent},
                   {'R', 2, S::kExact},
                   {'W', 3, S::kExact},
                   {'W', 3, S::kSilent}}},
        // An ack loses its check byte, a data reply its sum.
        FaultCase{"GarbleEverySecond",
                  {"--garble-every", "2"},
                  {{'R', 0, S::kExact},
                   {'W', 1, S::kBadCheck},
                   {'W', 1, S::kExact},
                   {'R', 4, S::kBadData}}},
        FaultCase{"SilentFromTheThird",
                  {"--silent-from", "3"},
                  {{'R', 0, S::kExact},
                   {'W', 1, S::kExact},
                   {'R', 2, S::kSilent},
                   {'R', 2, S::kSilent},
                   {'W', 3, S::kSilent}}},
        FaultCase{"DroppedReplyKeepsItsNumber",
                  {"--drop", "1", "--corrupt-header", "2"},
                  {{'R', 3, S::kSilent}, {'R', 3, S::kBadCheck}, {'R', 3, S::kExact}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimFaultFixture, NoiseBeforeEveryReplyCannotFormAHeader) {
  // 512 bytes of noise in all: enough for the sequence to meet 0xFF followed
  // by a reply code that it has to steer around.
  constexpr std::size_t kNoise = 128;
  ASSERT_TRUE(StartWith({"--noise", std::to_string(kNoise)}));
  Port port(sim.SlavePath());
  const Bytes image = ImagePattern();
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_TRUE(port.Write(ReadRequest(round)));
    const Bytes data = ImagePageOf(image, round);
    const Bytes reply = Concat(Header(0x91, static_cast<std::uint16_t>(round), Sum16(data)), data);
    const Bytes got = port.Read(kNoise + 136, kReplyLimit);
    ASSERT_EQ(got.size(), kNoise + 136);
    EXPECT_EQ(Bytes(got.begin() + kNoise, got.end()), reply);

    int markers = 0;
    for (std::size_t i = 0; i < kNoise; ++i) {
      if (got[i] != 0xFF)
        continue;
      ++markers;
      EXPECT_NE(got[i + 1], 0x41) << "at " << i;
      EXPECT_NE(got[i + 1], 0x81) << "at " << i;
      EXPECT_NE(got[i + 1], 0x91) << "at " << i;
    }
    EXPECT_GT(markers, 0) << "the noise should hold 0xFF bytes";
  }
  EXPECT_TRUE(port.StaysSilent(milliseconds(100)));
}

TEST_F(SimFaultFixture, FragmentedReplyComesInSeveralPieces) {
  ASSERT_TRUE(StartWith({"--fragment", "8"}));
  Port port(sim.SlavePath());
  const Bytes data = ImagePageOf(ImagePattern(), 6);
  const auto start = Clock::now();
  ASSERT_TRUE(port.Write(ReadRequest(6)));
  const std::vector<Bytes> pieces = port.ReadPieces(136, kReplyLimit);
  const auto elapsed = Clock::now() - start;

  Bytes joined;
  for (const Bytes& p : pieces) joined.insert(joined.end(), p.begin(), p.end());
  EXPECT_EQ(joined, Concat(Header(0x91, 6, Sum16(data)), data));
  EXPECT_GE(pieces.size(), 2u);
  for (const Bytes& p : pieces) EXPECT_EQ(p.size() % 8, 0u) << "pieces are whole multiples of 8";
  // 17 pieces with at least 1 ms between two of them.
  EXPECT_GE(elapsed, milliseconds(16));
}

// Lower bounds only: a loaded machine may be slower, never faster.
TEST_F(SimFaultFixture, DelayHoldsBackEveryReply) {
  ASSERT_TRUE(StartWith({"--delay-ms", "150"}));
  Port port(sim.SlavePath());
  for (int round = 0; round < 2; ++round) {
    const auto start = Clock::now();
    ASSERT_TRUE(port.Write(ReadRequest(2)));
    EXPECT_EQ(port.Read(136, kReplyLimit).size(), 136u);
    EXPECT_GE(Clock::now() - start, milliseconds(150));
  }
}

TEST_F(SimFaultFixture, BaudPacesReadingAndWriting) {
  // At 9600 baud a byte takes 1.04 ms: 8 bytes in, 136 bytes out = 150 ms.
  ASSERT_TRUE(StartWith({"--baud", "9600"}));
  Port port(sim.SlavePath());
  const Bytes data = ImagePageOf(ImagePattern(), 4);
  const auto start = Clock::now();
  ASSERT_TRUE(port.Write(ReadRequest(4)));
  const std::vector<Bytes> pieces = port.ReadPieces(136, kReplyLimit);
  const auto elapsed = Clock::now() - start;
  Bytes joined;
  for (const Bytes& p : pieces) joined.insert(joined.end(), p.begin(), p.end());
  EXPECT_EQ(joined, Concat(Header(0x91, 4, Sum16(data)), data));
  EXPECT_GE(elapsed, milliseconds(148));
  EXPECT_GE(pieces.size(), 2u) << "the reply should trickle in";
}

TEST_F(SimFaultFixture, BadPageNumberAddsSixteen) {
  const auto zeros = dir.Path() / "zeros.bin";
  WriteFile(zeros, Bytes(2048, 0x00));
  ASSERT_TRUE(sim.Start({"--image", zeros.string(), "--bad-page-number"}));
  Port port(sim.SlavePath());
  ASSERT_TRUE(port.Write(ReadRequest(3)));
  EXPECT_EQ(port.Read(136, kReplyLimit),
            Concat({0xFF, 0x91, 0x00, 0x13, 0x00, 0x00, 0x00, 0xA4}, Bytes(128, 0x00)));
}

}  // namespace
}  // namespace vardex::sim
