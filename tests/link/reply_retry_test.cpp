// The engine on a noisy line, with time stepped by hand: which frames go
// again, when, and with which log lines. The time-out is 400 ms, the quiet
// before a second sending 30 ms, three sendings a page at most.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "recording_listener.h"
#include "test_device.h"
#include "transfer_engine.h"

namespace vardex {
namespace {

using testing::DataReply;
using testing::kEepromAck;
using testing::kFirmwareAck;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

const Bytes kAck(kEepromAck.begin(), kEepromAck.end());
const Bytes kFwAck(kFirmwareAck.begin(), kFirmwareAck.end());
const Bytes kFwAckBadCheck{0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};

Bytes Page(std::uint16_t page) {
  return DataReply(page, Bytes(128, static_cast<std::uint8_t>(0x10 + page)));
}
// A data reply for page 0 whose header says sum 1 over 128 zero bytes.
Bytes PageZeroBadSum() {
  Bytes reply{0xFF, 0x91, 0x00, 0x00, 0x00, 0x01, 0x00, 0x92};
  reply.resize(8 + 128, 0x00);
  return reply;
}
// A data reply for page 0 whose header's check byte is wrong.
Bytes PageZeroBadHeader() {
  Bytes reply{0xFF, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00, 0x92};
  reply.resize(8 + 128, 0x00);
  return reply;
}
Bytes Part(const Bytes& bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

// At `atMs` after the start `bytes` arrive (none: only time passes); the
// engine is then told that everything that came has been read.
struct Step {
  int atMs;
  Bytes bytes;
};

struct RetryCase {
  const char* name;
  Operation operation;
  std::vector<Step> steps;
  Lines lines;             // the whole log
  std::vector<int> pages;  // the pages of the frames sent, in order
  friend void PrintTo(const RetryCase& c, std::ostream* os) { *os << c.name; }
};

struct Frame {
  int page;
  Bytes bytes;
};

// The tool's frames in what it wrote: read requests are 8 bytes, pages 136.
std::vector<Frame> Frames(const Bytes& written) {
  std::vector<Frame> frames;
  for (std::size_t i = 0; i + 8 <= written.size();) {
    const std::size_t size = written[i + 1] == 0x90 ? 8 : 136;
    frames.push_back({written[i + 2] << 8 | written[i + 3], Part(written, i, i + size)});
    i += size;
  }
  return frames;
}

class ReplyRetry : public ::testing::TestWithParam<RetryCase> {};

TEST_P(ReplyRetry, AsksAgainWithinBounds) {
  const RetryCase& c = GetParam();
  testing::RecordingListener out;
  auto engine = std::make_unique<TransferEngine>();
  auto image = std::make_shared<ConfigImage>();
  for (std::size_t i = 0; i < image->bytes.size(); ++i)
    image->bytes[i] = static_cast<std::uint8_t>(i * 13);
  auto firmware = std::make_shared<FirmwareBuffer>();
  firmware->size = 300;
  for (std::size_t i = 0; i < firmware->size; ++i)
    firmware->bytes[i] = static_cast<std::uint8_t>(i * 7);
  const TransferEngine::Time start{std::chrono::seconds(1000)};
  engine->Start({c.operation, image, firmware}, start, out);
  for (const Step& step : c.steps) {
    const auto now = start + std::chrono::milliseconds(step.atMs);
    engine->Receive(step.bytes, now, out);
    engine->Tick(now, out);
  }
  EXPECT_EQ(out.Lines(), c.lines);
  const std::vector<Frame> frames = Frames(out.Written());
  std::vector<int> pages(frames.size());
  std::transform(frames.begin(), frames.end(), pages.begin(),
                 [](const Frame& f) { return f.page; });
  EXPECT_EQ(pages, c.pages);
  // A page sent again is the same frame, byte for byte.
  for (std::size_t i = 1; i < frames.size(); ++i) {
    if (frames[i].page == frames[i - 1].page) {
      EXPECT_EQ(frames[i].bytes, frames[i - 1].bytes) << "frame " << i;
    }
  }
}

const Lines kWriteAskedAgain{"Eeprom page sent [0].", "No reply to page 0, asking again (2 of 3).",
                             "Eeprom page sent [0].", "Page receive ack.", "Eeprom page sent [1]."};

INSTANTIATE_TEST_SUITE_P(
    NoisyLine, ReplyRetry,
    ::testing::Values(
        RetryCase{"lost_acknowledgement",
                  Operation::kConfigWrite,
                  {{399, {}},
                   {400, {}},
                   {429, {}},
                   {430, {}},
                   {440, kAck},
                   {869, {}},
                   {870, {}},
                   {880, kAck}},
                  {"Eeprom page sent [0].", "No reply to page 0, asking again (2 of 3).",
                   "Eeprom page sent [0].", "Page receive ack.", "Eeprom page sent [1].",
                   "Page receive ack.", "Eeprom page sent [2]."},
                  {0, 0, 1, 2}},
        // Both sendings of page 0 are answered, late: the second answer must
        // not count for page 1.
        RetryCase{"late_double_acknowledgement",
                  Operation::kConfigWrite,
                  {{400, {}}, {430, {}}, {500, kAck}, {510, kAck}, {930, {}}, {940, {}}},
                  kWriteAskedAgain,
                  {0, 0, 1}},
        RetryCase{"late_acknowledgement_before_the_second_sending",
                  Operation::kConfigWrite,
                  {{400, {}}, {420, kAck}, {430, {}}, {450, {}}, {460, kAck}, {890, {}}},
                  kWriteAskedAgain,
                  {0, 0, 1}},
        RetryCase{
            "damaged_firmware_acknowledgement",
            Operation::kFirmwareUpload,
            {{10, kFwAckBadCheck}, {40, {}}, {50, kFwAck}, {480, {}}, {490, kFwAck}, {500, kFwAck}},
            {"Firmware page sent [0].", "Damaged reply to page 0, asking again (2 of 3).",
             "Firmware page sent [0].", "Page receive ack.", "Firmware page sent [1].",
             "Page receive ack.", "Firmware page sent [2].", "Page receive ack.", "Send finished."},
            {0, 0, 1, 2}},
        // Damaged data, then a damaged header whose data is discarded, not
        // hunted through.
        RetryCase{
            "damaged_page_data_then_damaged_header",
            Operation::kConfigRead,
            {{10, PageZeroBadSum()}, {40, {}}, {50, PageZeroBadHeader()}, {80, {}}, {90, Page(0)}},
            {"Eeprom read request, page [0].", "Eeprom page data checksum error.",
             "Damaged reply to page 0, asking again (2 of 3).", "Eeprom read request, page [0].",
             "Eeprom frame checksum error.", "Damaged reply to page 0, asking again (3 of 3).",
             "Eeprom read request, page [0].", "Eeprom page received.",
             "Eeprom read request, page [1]."},
            {0, 0, 0, 1}},
        RetryCase{"data_for_another_page",
                  Operation::kConfigRead,
                  {{10, Page(3)}, {400, {}}, {430, {}}, {440, Page(0)}},
                  {"Eeprom read request, page [0].", "Eeprom page received.",
                   "No reply to page 0, asking again (2 of 3).", "Eeprom read request, page [0].",
                   "Eeprom page received.", "Eeprom read request, page [1]."},
                  {0, 0, 1}},
        RetryCase{"reply_under_way_at_the_time_out",
                  Operation::kConfigRead,
                  {{390, Part(Page(0), 0, 68)}, {400, {}}, {410, Part(Page(0), 68, 136)}},
                  {"Eeprom read request, page [0].", "Eeprom page received.",
                   "Eeprom read request, page [1]."},
                  {0, 1}},
        // Gone for good: three sendings, then nothing until a reply comes.
        RetryCase{"tries_used_up_then_answered",
                  Operation::kConfigWrite,
                  {{400, {}},
                   {430, {}},
                   {830, {}},
                   {860, {}},
                   {1260, {}},
                   {1290, {}},
                   {4999, {}},
                   {5000, kAck},
                   {5430, {}}},
                  {"Eeprom page sent [0].", "No reply to page 0, asking again (2 of 3).",
                   "Eeprom page sent [0].", "No reply to page 0, asking again (3 of 3).",
                   "Eeprom page sent [0].", "Page receive ack.", "Eeprom page sent [1]."},
                  {0, 0, 0, 1}}),
    [](const ::testing::TestParamInfo<RetryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vardex
