#include "link_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "memory_serial_port.h"
#include "recording_listener.h"
#include "test_device.h"

namespace vardex {
namespace {

using namespace std::chrono_literals;
using Kind = LinkOutcome::Kind;
using testing::MemorySerialPort;

struct NoPause final : PollPause {
  void WaitUntil(std::chrono::steady_clock::time_point) override {}
};

struct Expected {
  Kind kind;
  Operation operation;
  std::uint32_t page;
  std::uint32_t pageCount;
  bool operator==(const Expected&) const = default;
  friend void PrintTo(const Expected& e, std::ostream* os) {
    *os << "{kind " << int(e.kind) << ", op " << int(e.operation) << ", page " << e.page << " of "
        << e.pageCount << "}";
  }
};

struct SessionCase {
  const char* name;
  Operation operation;
  int framesAnswered;  // the device falls silent after this many frames; -1 never
  bool checksumHolds;
  bool strayAck;   // an acknowledgement nobody asked for arrives first
  bool readsFail;  // the adapter was unplugged
  std::vector<Expected> outcomes;
};

// The session driven by hand, half a second of its clock per poll: what it
// reports for each way a transfer ends or stalls, and that a silence is
// reported once, not on every poll.
TEST(LinkSession, ReportsEachEndingAndEachSilenceOnce) {
  const SessionCase cases[] = {
      {"read answered",
       Operation::kConfigRead,
       -1,
       true,
       false,
       false,
       {{Kind::kFinished, Operation::kConfigRead, 16, 16}}},
      {"read of a bad image",
       Operation::kConfigRead,
       -1,
       false,
       false,
       false,
       {{Kind::kReadChecksumFailed, Operation::kConfigRead, 16, 16}}},
      {"silent device",
       Operation::kConfigRead,
       0,
       true,
       false,
       false,
       {{Kind::kNoReply, Operation::kConfigRead, 1, 16}}},
      {"write stalls after four pages",
       Operation::kConfigWrite,
       4,
       true,
       false,
       false,
       {{Kind::kNoReply, Operation::kConfigWrite, 5, 16}}},
      {"write answered",
       Operation::kConfigWrite,
       -1,
       true,
       false,
       false,
       {{Kind::kFinished, Operation::kConfigWrite, 16, 16}}},
      {"stray acknowledgement while a read waits",
       Operation::kConfigRead,
       0,
       true,
       true,
       false,
       {{Kind::kNoReply, Operation::kConfigRead, 1, 16}}},
      {"adapter unplugged",
       Operation::kConfigRead,
       0,
       true,
       false,
       true,
       {{Kind::kPortFailed, Operation::kConfigRead, 1, 16},
        {Kind::kNoReply, Operation::kConfigRead, 1, 16}}},
  };
  for (const SessionCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TestDevice device;
    for (std::size_t i = 4; i < 2048; ++i) device.image[i] = static_cast<std::uint8_t>(i * 7);
    std::uint32_t sum = 0;
    for (std::size_t i = 4; i < 1552; ++i) sum += device.image[i];
    if (!c.checksumHolds)
      ++sum;
    for (std::size_t i = 0; i < 4; ++i) device.image[i] = static_cast<std::uint8_t>(sum >> (8 * i));
    int headers = 0;
    MemorySerialPort port([&](std::span<const std::uint8_t> bytes, MemorySerialPort& p) {
      if (bytes.size() == 8)
        ++headers;
      if (c.framesAnswered < 0 || headers <= c.framesAnswered)
        device.OnWritten(bytes, p);
    });
    ASSERT_TRUE(port.Open("/dev/test"));
    if (c.readsFail)
      port.FailReads();
    testing::RecordingListener listener;
    auto session = std::make_unique<LinkSession>(3s);
    LinkSession::Clock::time_point now{};
    session->SetClock([&now] { return now; });
    session->Attach(port, listener);
    session->Start(
        {c.operation, std::make_shared<const ConfigImage>(), std::make_shared<FirmwareBuffer>()});
    if (c.strayAck)
      port.Deliver(testing::kEepromAck);
    NoPause pause;
    for (int poll = 0; poll < 40; ++poll) {
      session->Poll(0ms, pause);
      now += 500ms;
    }
    std::vector<Expected> got;
    for (const LinkOutcome& o : listener.Outcomes())
      got.push_back({o.kind, o.operation, o.page, o.pageCount});
    EXPECT_EQ(got, c.outcomes);
    const bool verified =
        c.operation == Operation::kConfigRead && c.framesAnswered < 0 && c.checksumHolds;
    ASSERT_EQ(listener.Images().size(), verified ? 1u : 0u);
    if (verified) {
      EXPECT_TRUE(
          std::equal(device.image.begin(), device.image.end(), listener.Images()[0].bytes.begin()));
    }
    if (c.readsFail) {
      EXPECT_EQ(listener.PortErrors(), std::vector<std::string>{"read failed"});
    }
    if (c.strayAck) {
      const std::vector<std::string> lines = listener.Lines();
      EXPECT_EQ(std::count(lines.begin(), lines.end(), "Send finished."), 1);
      // The read's start and its two tries more, all at page 0: the stray
      // reply moved nothing.
      EXPECT_EQ(listener.Progress(), (std::vector<std::uint32_t>{0, 0, 0}));
    }
  }
}

}  // namespace
}  // namespace vardex
