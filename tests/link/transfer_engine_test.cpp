#include "transfer_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recording_listener.h"
#include "test_device.h"
#include "transfer_mailbox.h"

namespace vardex {
namespace {

using testing::DataReply;
using testing::kEepromAck;
using testing::kFirmwareAck;
using testing::RecordingListener;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

// The engine driven by hand on the test's thread: every reply is delivered
// explicitly, so each log sequence is exact.
struct EngineFixture : ::testing::Test {
  TransferMailbox mailbox;
  RecordingListener listener;
  TransferEngine engine;
  TransferEngine::Time now{};  // time stands still: nothing is overdue

  // What the worker does in a turn: take the posted request and start it.
  void TakePendingOperation() { engine.Start(mailbox.Take(), now, listener); }
  void Reply(std::span<const std::uint8_t> bytes) { engine.Receive(bytes, now, listener); }
  Bytes WrittenFrame(std::size_t offset, std::size_t size) const {
    const Bytes written = listener.Written();
    return Bytes(written.begin() + static_cast<std::ptrdiff_t>(offset),
                 written.begin() + static_cast<std::ptrdiff_t>(offset + size));
  }
};

// A write of `image` as the window or `vardex` asks for it: copied once.
TransferRequest WriteOf(const ConfigImage& image) {
  return TransferRequest::Write(std::make_shared<const ConfigImage>(image));
}

// Page p of the image is filled with p; page 15 with 0xFF.
ConfigImage PagedImage() {
  ConfigImage image;
  for (std::size_t p = 0; p < 16; ++p) {
    std::fill_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(p * 128), 128,
                static_cast<std::uint8_t>(p == 15 ? 0xFF : p));
  }
  return image;
}

// An image whose checksum holds: bytes 0..3 are the sum of bytes 4..1551.
ConfigImage CheckedImage(std::uint8_t filler) {
  ConfigImage image;
  std::uint32_t sum = 0;
  for (std::size_t i = 4; i < 2048; ++i) {
    image.bytes[i] = static_cast<std::uint8_t>(filler + i);
    if (i < 1552)
      sum += image.bytes[i];
  }
  image.PutU32(0, sum);
  return image;
}

void DeliverImage(TransferEngine& engine, TransferOutput& out, const ConfigImage& image) {
  for (std::uint16_t p = 0; p < 16; ++p) {
    engine.Receive(DataReply(p, std::span(image.bytes).subspan(p * 128u, 128)), {}, out);
  }
}

Lines ReadLog() {
  Lines lines{"Eeprom read request, page [0]."};
  for (int p = 1; p <= 15; ++p) {
    lines.push_back("Eeprom page received.");
    lines.push_back("Eeprom read request, page [" + std::to_string(p) + "].");
  }
  lines.push_back("Eeprom page received.");
  lines.push_back("Eeprom read finished.");
  return lines;
}

TEST_F(EngineFixture, ConfigWriteSendsSixteenPagesEachAfterItsAck) {
  const ConfigImage image = PagedImage();
  mailbox.Post(WriteOf(image));
  TakePendingOperation();
  for (int i = 0; i < 16; ++i) Reply(kEepromAck);

  Lines expected{"Eeprom page sent [0]."};
  for (int p = 1; p <= 15; ++p) {
    expected.push_back("Page receive ack.");
    expected.push_back("Eeprom page sent [" + std::to_string(p) + "].");
  }
  expected.push_back("Page receive ack.");
  expected.push_back("Send finished.");
  EXPECT_EQ(listener.Lines(), expected);

  ASSERT_EQ(listener.Written().size(), 16u * 136u);
  EXPECT_EQ(WrittenFrame(0, 8), (Bytes{0xFF, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}));
  EXPECT_EQ(WrittenFrame(15 * 136, 8), (Bytes{0xFF, 0x80, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x8E}));
  EXPECT_EQ(WrittenFrame(15 * 136 + 8, 128), Bytes(128, 0xFF));
  EXPECT_EQ(WrittenFrame(3 * 136 + 8, 128), Bytes(128, 0x03));
  EXPECT_EQ(listener.Progress().back(), 16u);
}

TEST_F(EngineFixture, AcksAfterTheEndOnlyAddTheirLinesAndSendNothing) {
  mailbox.Post(WriteOf(PagedImage()));
  TakePendingOperation();
  for (int i = 0; i < 16; ++i) Reply(kEepromAck);
  const std::size_t written = listener.Written().size();
  Reply(kEepromAck);
  const Lines lines = listener.Lines();
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"Page receive ack.", "Send finished."}));
  EXPECT_EQ(listener.Written().size(), written);
}

TEST_F(EngineFixture, ConfigReadRequestsEachPageThenShowsTheVerifiedImage) {
  const ConfigImage image = CheckedImage(7);
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  EXPECT_EQ(WrittenFrame(0, 8), (Bytes{0xFF, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x90}));
  DeliverImage(engine, listener, image);

  EXPECT_EQ(listener.Lines(), ReadLog());
  ASSERT_EQ(listener.Images().size(), 1u);
  EXPECT_EQ(listener.Images()[0].bytes, image.bytes);
  ASSERT_EQ(listener.Written().size(), 16u * 8u);
  EXPECT_EQ(WrittenFrame(15 * 8, 8), (Bytes{0xFF, 0x90, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x9F}));
  EXPECT_EQ(listener.Progress().back(), 16u);
}

TEST_F(EngineFixture, ImageChecksumCoversBytes4To1551Only) {
  ConfigImage outside = CheckedImage(3);
  outside.bytes[1552] ^= 0x5A;  // outside the sum: still accepted
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  DeliverImage(engine, listener, outside);
  EXPECT_EQ(listener.Images().size(), 1u);

  ConfigImage inside = CheckedImage(3);
  inside.bytes[1551] ^= 0x5A;
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  DeliverImage(engine, listener, inside);
  EXPECT_EQ(listener.Images().size(), 1u);
  EXPECT_EQ(listener.Lines().back(),
            "Eeprom read checksum error. Please upload new eeprom data to device.");
  // Handed over as it arrived, so that a verify can name the changed byte.
  ASSERT_EQ(listener.BrokenImages().size(), 1u);
  EXPECT_EQ(listener.BrokenImages()[0].bytes, inside.bytes);
}

// The window keeps the image a read handed over as its base: the next read
// fills the engine's pages again and must leave it as it was read.
TEST_F(EngineFixture, AHandedOverImageStaysAsReadWhileTheNextReadArrives) {
  const ConfigImage first = CheckedImage(1);
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  DeliverImage(engine, listener, first);
  const SharedConfigImage kept = listener.LastImage();
  ASSERT_NE(kept, nullptr);
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  DeliverImage(engine, listener, CheckedImage(9));
  EXPECT_EQ(kept->bytes, first.bytes);
}

TEST_F(EngineFixture, StrayDataPageIsOnlyLogged) {
  const ConfigImage image = CheckedImage(1);
  DeliverImage(engine, listener, image);  // no read was posted
  EXPECT_EQ(listener.Lines(), Lines(16, "Eeprom page received."));
  EXPECT_TRUE(listener.Written().empty());
  EXPECT_TRUE(listener.Images().empty());
  EXPECT_EQ(engine.ReceivedImage().bytes, ConfigImage{}.bytes);
}

TEST_F(EngineFixture, ExtraPagesAfterAFinishedReadAreOnlyLogged) {
  const ConfigImage image = CheckedImage(1);
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  DeliverImage(engine, listener, image);
  const std::size_t written = listener.Written().size();
  DeliverImage(engine, listener, CheckedImage(9));
  EXPECT_EQ(listener.Lines().size(), ReadLog().size() + 16);
  EXPECT_EQ(listener.Lines().back(), "Eeprom page received.");
  EXPECT_EQ(listener.Written().size(), written);
  EXPECT_EQ(listener.Images().size(), 1u);
  EXPECT_EQ(engine.ReceivedImage().bytes, image.bytes);
}

TEST_F(EngineFixture, PageSixteenOrMoreIsNeitherStoredNorCounted) {
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  Reply(DataReply(16, Bytes(128, 0x22)));
  Reply(DataReply(0xFFFF, Bytes(128, 0x22)));
  EXPECT_EQ(listener.Lines(), (Lines{"Eeprom read request, page [0]."}));
  EXPECT_EQ(listener.Written().size(), 8u);  // the read waits for page 0
  Reply(DataReply(0, Bytes(128, 0x01)));
  EXPECT_EQ(listener.Lines(), (Lines{"Eeprom read request, page [0].", "Eeprom page received.",
                                     "Eeprom read request, page [1]."}));
}

TEST_F(EngineFixture, ADataPageOtherThanTheAwaitedOneIsOnlyLogged) {
  mailbox.Post(TransferRequest::Read());
  TakePendingOperation();
  Reply(DataReply(5, Bytes(128, 0x33)));
  EXPECT_EQ(engine.ReceivedImage().bytes[5 * 128], 0x00);
  EXPECT_EQ(listener.Lines(), (Lines{"Eeprom read request, page [0].", "Eeprom page received."}));
  EXPECT_EQ(listener.Written().size(), 8u);
}

// A read served by a device that answers every request with its current
// page, while stray pages arrive in between. Whatever strays, the read ends
// with the device's current sixteen pages and asks for each page once.
struct ServedRead;

struct StrayCase {
  const char* name;
  // Runs before the answer to the request with this index (in sending order).
  std::size_t beforeAnswer;
  std::function<void(ServedRead&)> stray;
  std::vector<int> requestedPages;
  int receivedLines;
  friend void PrintTo(const StrayCase& c, std::ostream* os) { *os << c.name; }
};

struct ServedRead {
  TransferMailbox mailbox;
  RecordingListener listener;
  TransferEngine engine;
  const ConfigImage current = CheckedImage(5);
  const ConfigImage earlier = CheckedImage(9);  // what the device held before

  void PostRead() {
    mailbox.Post(TransferRequest::Read());
    engine.Start(mailbox.Take(), {}, listener);
  }
  void DevicePage(const ConfigImage& image, std::uint16_t page) {
    engine.Receive(DataReply(page, std::span(image.bytes).subspan(page * 128u, 128)), {}, listener);
  }
  std::vector<int> RequestedPages() const {
    const Bytes written = listener.Written();
    std::vector<int> pages;
    for (std::size_t i = 0; i + 8 <= written.size(); i += 8) pages.push_back(written[i + 3]);
    return pages;
  }
};

class StrayPages : public ::testing::TestWithParam<StrayCase> {};

TEST_P(StrayPages, ReadEndsWithTheDevicesCurrentPages) {
  const StrayCase& c = GetParam();
  auto read = std::make_unique<ServedRead>();
  read->PostRead();
  for (std::size_t i = 0; i < read->RequestedPages().size() && i < 64; ++i) {
    if (i == c.beforeAnswer)
      c.stray(*read);
    read->DevicePage(read->current, static_cast<std::uint16_t>(read->RequestedPages()[i]));
  }
  EXPECT_EQ(read->RequestedPages(), c.requestedPages);
  const Lines lines = read->listener.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Eeprom page received."), c.receivedLines);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Eeprom read finished."), 1);
  ASSERT_EQ(read->listener.Images().size(), 1u);
  EXPECT_EQ(read->listener.Images()[0].bytes, read->current.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, StrayPages,
    ::testing::Values(StrayCase{"repeated_page",
                                5,
                                [](ServedRead& r) { r.DevicePage(r.current, 4); },
                                {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                                17},
                      StrayCase{"late_reply_to_an_earlier_request",
                                2,
                                [](ServedRead& r) { r.DevicePage(r.earlier, 1); },
                                {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                                17},
                      StrayCase{"page_of_an_earlier_read",
                                3,
                                [](ServedRead& r) { r.DevicePage(r.earlier, 15); },
                                {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                                17},
                      // "Read config" clicked twice: page 0 is requested and answered twice.
                      StrayCase{"double_click",
                                0,
                                [](ServedRead& r) { r.PostRead(); },
                                {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                                17},
                      // Clicked again while page 6 was on its way: that late page 6 must
                      // not count as page 0 of the new read.
                      StrayCase{"restarted_read",
                                6,
                                [](ServedRead& r) { r.PostRead(); },
                                {0, 1, 2, 3, 4, 5,  6,  0,  1,  2,  3, 4,
                                 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                                23}),
    [](const ::testing::TestParamInfo<StrayCase>& info) { return std::string(info.param.name); });

// With retries off, as the link was first designed.
TEST_F(EngineFixture, WithoutRetriesRejectedRepliesLeaveTheTransferWaiting) {
  TransferEngine never(RetryPolicy::Never());
  mailbox.Post(TransferRequest::Read());
  never.Start(mailbox.Take(), now, listener);
  for (const Bytes& reply : {Bytes{0xFF, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00, 0x92},  // wrong check
                             Bytes{0xFF, 0x91, 0x00, 0x00, 0x00, 0x01, 0x00, 0x92},  // says sum 1
                             Bytes(128, 0x00)}) {                                    // sum 0
    never.Receive(reply, now, listener);
    never.Tick(now + std::chrono::seconds(10), listener);
  }
  EXPECT_EQ(listener.Lines(),
            (Lines{"Eeprom read request, page [0].", "Eeprom frame checksum error.",
                   "Eeprom page data checksum error."}));
  EXPECT_EQ(listener.Written().size(), 8u);
}

struct FirmwareCase {
  std::uint32_t size;
  std::uint32_t pages;
};

class FirmwareUpload : public EngineFixture, public ::testing::WithParamInterface<FirmwareCase> {};

TEST_P(FirmwareUpload, SendsEveryPageAndFinishesAfterTheLastAck) {
  auto firmware = std::make_shared<FirmwareBuffer>();
  firmware->size = GetParam().size;
  for (std::size_t i = 0; i < firmware->size; ++i)
    firmware->bytes[i] = static_cast<std::uint8_t>(i % 251);
  mailbox.Post(TransferRequest::Upload(firmware));
  TakePendingOperation();
  for (std::uint32_t i = 0; i < GetParam().pages; ++i) Reply(kFirmwareAck);

  Lines expected{"Firmware page sent [0]."};
  for (std::uint32_t p = 1; p < GetParam().pages; ++p) {
    expected.push_back("Page receive ack.");
    expected.push_back("Firmware page sent [" + std::to_string(p) + "].");
  }
  expected.push_back("Page receive ack.");
  expected.push_back("Send finished.");
  EXPECT_EQ(listener.Lines(), expected);
  EXPECT_EQ(listener.Written().size(), GetParam().pages * 136u);
  EXPECT_EQ(WrittenFrame(0, 2), (Bytes{0xFF, 0x40}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, FirmwareUpload,
                         ::testing::Values(FirmwareCase{300, 3}, FirmwareCase{256, 2},
                                           FirmwareCase{1, 1}));

// The file is read once and shared: the mailbox and the engine send from the
// very buffer the caller loaded, and let it go when they are done with it.
TEST(TransferMailbox, HandsTheFirmwareOnByReference) {
  TransferMailbox mailbox;
  auto firmware = std::make_shared<FirmwareBuffer>();
  firmware->size = 300;
  mailbox.Post(TransferRequest::Upload(firmware));
  const TransferRequest taken = mailbox.Take();
  EXPECT_EQ(taken.firmware.get(), firmware.get());
  EXPECT_EQ(taken.PageCount(), 3u);
  mailbox.Post(TransferRequest::Upload(firmware));
  EXPECT_EQ(mailbox.Drop(), Operation::kFirmwareUpload);
  EXPECT_EQ(mailbox.Take().operation, Operation::kNone);
  EXPECT_EQ(firmware.use_count(), 2);  // here and in `taken` only
}

TEST_F(EngineFixture, AnEmptyFirmwareFileSendsPageZero) {
  mailbox.Post(TransferRequest::Upload(std::make_shared<FirmwareBuffer>()));
  TakePendingOperation();
  Reply(kFirmwareAck);
  EXPECT_EQ(listener.Lines(),
            (Lines{"Firmware page sent [0].", "Page receive ack.", "Send finished."}));
  EXPECT_EQ(WrittenFrame(0, 8), (Bytes{0xFF, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40}));
}

TEST_F(EngineFixture, WindowChangesAfterPostingNeverReachTheFramesBeingSent) {
  ConfigImage image = PagedImage();
  mailbox.Post(WriteOf(image));
  TakePendingOperation();
  image.bytes.fill(0xEE);  // the window builds a new image and posts it...
  mailbox.Post(WriteOf(image));
  Reply(kEepromAck);  // ...while the worker still sends page 1 of the first one
  EXPECT_EQ(WrittenFrame(136 + 8, 128), Bytes(128, 0x01));
  TakePendingOperation();  // the new request restarts at page 0
  EXPECT_EQ(WrittenFrame(2 * 136 + 8, 128), Bytes(128, 0xEE));
  EXPECT_EQ(listener.Lines().back(), "Eeprom page sent [0].");
}

TEST_F(EngineFixture, StartingAWriteDiscardsUnreadBytes) {
  Reply(Bytes(kEepromAck.begin(), kEepromAck.end() - 1));  // an ack's first 7 bytes
  mailbox.Post(WriteOf(PagedImage()));
  TakePendingOperation();
  Reply(Bytes{0x81});  // would complete it had the ring kept them
  EXPECT_EQ(listener.Lines(), (Lines{"Eeprom page sent [0]."}));
}

TEST_F(EngineFixture, NothingPostedSendsNothing) {
  TakePendingOperation();
  EXPECT_TRUE(listener.Written().empty());
  EXPECT_TRUE(listener.Lines().empty());
}

}  // namespace
}  // namespace vardex
