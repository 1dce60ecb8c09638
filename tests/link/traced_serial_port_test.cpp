#include "traced_serial_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "memory_serial_port.h"

namespace vardex {
namespace {

using testing::MemorySerialPort;

// The trace's ring stays its size however much passes: the oldest records
// give way whole, and the line under the heading counts them.
TEST(FrameTrace, KeepsTheNewestRecordsWithinItsRingAndCountsTheDropped) {
  FrameTrace trace(1000, [] { return 7u; });
  // 1000 writes of 8 bytes, each numbered by its last two bytes; a record
  // takes 15 bytes of ring, so 66 fit in 1000.
  for (unsigned i = 0; i < 1000; ++i) {
    const std::uint8_t frame[8] = {
        0xFF, 0x90, 0, 0, 0, 0, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)};
    trace.Record(FrameTrace::Kind::kSent, frame);
  }
  const FrameTrace::Usage usage = trace.CurrentUsage();
  EXPECT_EQ(usage.keptBytes, 528u);
  EXPECT_EQ(usage.droppedBytes, 7472u);
  EXPECT_EQ(usage.droppedRecords, 934u);

  const std::string text = trace.Text();
  const std::string dropped =
      "# 7472 bytes in 934 records dropped, the oldest first; 528 bytes kept in a ring of 1000\n";
  ASSERT_NE(text.find(dropped), std::string::npos) << text;
  const std::string firstKept = dropped + "       7 tx FF 90 00 00 00 00 03 A6\n";
  EXPECT_NE(text.find(firstKept), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("       7 tx FF 90 00 00 00 00 03 E7\n")) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 66);
}

// What the link writes and reads passes unchanged and is written down in
// order, with the time, the direction and the port's own events.
TEST(TracedSerialPort, RecordsEveryByteBothWaysAndPassesItOn) {
  std::uint32_t clock = 0;
  FrameTrace trace(64 * 1024, [&clock] { return clock; });
  auto owned = std::make_unique<MemorySerialPort>();
  MemorySerialPort& inner = *owned;
  TracedSerialPort port(std::move(owned), trace);

  ASSERT_TRUE(port.Open("/dev/ttyUSB0"));
  clock = 3;
  const std::vector<std::uint8_t> request = {0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93};
  port.Write(request);
  // A page write longer than one record is kept in two lines.
  std::vector<std::uint8_t> page = {0xFF, 0x80, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x8E};
  page.resize(136, 0xFF);
  clock = 5;
  port.Write(page);
  const std::uint8_t ack[] = {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};
  inner.Deliver(ack);
  clock = 12;
  std::uint8_t into[128];
  ASSERT_EQ(port.Read(into, std::chrono::milliseconds(1)), 8u);
  EXPECT_EQ(port.Read(into, std::chrono::milliseconds(1)), 0u);  // silence: no line
  inner.FailReads();
  clock = 20;
  EXPECT_EQ(port.Read(into, std::chrono::milliseconds(1)), 0u);
  EXPECT_EQ(port.Read(into, std::chrono::milliseconds(1)), 0u);  // the same failure: once
  port.Close();
  port.Close();  // a second close closes nothing more

  std::vector<std::uint8_t> written = request;
  written.insert(written.end(), page.begin(), page.end());
  EXPECT_EQ(inner.Written(), written);
  EXPECT_EQ(inner.CurrentStats().closes, 2);

  std::string ones;
  for (int i = 0; i < 120; ++i) ones += " FF";
  const std::string expected =
      "       0 -- opened /dev/ttyUSB0\n"
      "       3 tx FF 90 00 03 00 00 00 93\n"
      "       5 tx FF 80 00 0F 7F 80 00 8E" +
      ones +
      "\n"
      "       5 tx FF FF FF FF FF FF FF FF\n"
      "      12 rx FF 81 00 00 00 00 00 81\n"
      "      20 -- read failed: read failed\n"
      "      20 -- closed\n";
  const std::string text = trace.Text();
  ASSERT_TRUE(text.starts_with("# Serial port trace: ")) << text;
  EXPECT_TRUE(text.ends_with(
      "\n# 0 bytes in 0 records dropped, the oldest first; 201 bytes kept in a ring of 65536\n" +
      expected))
      << text;
}

}  // namespace
}  // namespace vardex
