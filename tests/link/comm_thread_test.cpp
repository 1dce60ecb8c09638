#include "comm_thread.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "hostile_ports.h"
#include "memory_serial_port.h"
#include "recording_listener.h"
#include "test_device.h"

namespace vardex {
namespace {

using namespace std::chrono_literals;
using testing::Hostility;
using testing::MemorySerialPort;
using testing::RecordingListener;
using testing::TestDevice;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

using testing::WaitUntil;

struct Worker {
  TransferMailbox mailbox;
  RecordingListener listener;
  LinkSession engine;
  MemorySerialPort* port = nullptr;
  std::unique_ptr<TCommThread> thread;

  bool Start(std::unique_ptr<MemorySerialPort> owned,
             std::chrono::milliseconds poll = kPollTimeout) {
    port = owned.get();
    thread = std::make_unique<TCommThread>(engine, mailbox, listener, std::move(owned), poll);
    if (!thread->Open("/dev/test"))
      return false;
    thread->Run();
    return true;
  }
  bool HasLine(const std::string& line) const {
    const Lines lines = listener.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

ConfigImage CheckedImage() {
  ConfigImage image;
  for (std::size_t i = 4; i < 2048; ++i) image.bytes[i] = static_cast<std::uint8_t>(i * 7);
  StoreImageChecksum(image);
  return image;
}

TEST(TCommThread, WritesAnImageAndReadsItBackIdentical) {
  TestDevice device;
  Worker w;
  ASSERT_TRUE(w.Start(std::make_unique<MemorySerialPort>(device.Responder())));
  const ConfigImage image = CheckedImage();
  w.mailbox.Post(TransferRequest::Write(std::make_shared<const ConfigImage>(image)));
  w.thread->Wake();
  ASSERT_TRUE(WaitUntil([&] { return w.HasLine("Send finished."); }));
  w.mailbox.Post(TransferRequest::Read());
  w.thread->Wake();
  ASSERT_TRUE(WaitUntil([&] { return !w.listener.Images().empty(); }));
  EXPECT_EQ(w.listener.Images()[0].bytes, image.bytes);
  w.thread->Terminate();
  w.thread->Join();
  EXPECT_EQ(w.port->CurrentStats().closes, 1);
}

TEST(TCommThread, CarriesOutAReadPostedBeforeThePortWasOpened) {
  TestDevice device;
  const ConfigImage image = CheckedImage();
  std::copy(image.bytes.begin(), image.bytes.end(), device.image.begin());
  Worker w;
  w.mailbox.Post(TransferRequest::Read());
  ASSERT_TRUE(w.Start(std::make_unique<MemorySerialPort>(device.Responder())));
  ASSERT_TRUE(WaitUntil([&] { return !w.listener.Images().empty(); }));
  EXPECT_EQ(w.listener.Images()[0].bytes, image.bytes);
}

TEST(TCommThread, AFailedOpenEndsTheThreadAndStartsNothing) {
  Worker w;
  w.mailbox.Post(TransferRequest::Read());
  EXPECT_FALSE(w.Start(std::make_unique<MemorySerialPort>(MemorySerialPort::Responder{}, false)));
  EXPECT_EQ(w.mailbox.Pending(), Operation::kConfigRead);  // left for the next worker
  EXPECT_EQ(w.port->CurrentStats().reads, 0);
}

// With a poll time-out of an hour, only a wake can make the worker look at a
// request or at "Close port" in time.
TEST(TCommThread, WakesForAPostedRequestAndForTermination) {
  Worker w;
  ASSERT_TRUE(w.Start(std::make_unique<MemorySerialPort>(), 1h));
  std::this_thread::sleep_for(20ms);  // let it settle into its long read
  w.mailbox.Post(TransferRequest::Read());
  w.thread->Wake();
  EXPECT_TRUE(WaitUntil([&] { return w.HasLine("Eeprom read request, page [0]."); }));
  w.thread->Terminate();
  EXPECT_TRUE(WaitUntil([&] { return w.port->CurrentStats().closes == 1; }));
  w.thread->Join();
}

TEST(TCommThread, ARequestPostedAfterCloseWaitsForTheNextWorker) {
  Worker w;
  ASSERT_TRUE(w.Start(std::make_unique<MemorySerialPort>(), 5ms));
  std::this_thread::sleep_for(20ms);
  w.thread->Terminate();
  w.mailbox.Post(TransferRequest::Read());
  w.thread->Wake();
  w.thread->Join();
  EXPECT_EQ(w.mailbox.Pending(), Operation::kConfigRead);
  EXPECT_TRUE(w.port->Written().empty());
  EXPECT_TRUE(w.listener.Lines().empty());
}

TEST(TCommThread, TerminateBeforeRunClosesThePort) {
  Worker w;
  auto owned = std::make_unique<MemorySerialPort>();
  w.port = owned.get();
  w.thread = std::make_unique<TCommThread>(w.engine, w.mailbox, w.listener, std::move(owned));
  ASSERT_TRUE(w.thread->Open("/dev/test"));
  w.thread->Terminate();
  w.thread->Join();
  EXPECT_EQ(w.port->CurrentStats().closes, 1);
  EXPECT_EQ(w.port->CurrentStats().reads, 0);
}

// Hostile ports: whatever they do, each transfer ends up waiting after its
// first frame and the tries to ask again, nothing wrong is shown, the loop does not spin, and the
// worker still ends at once.
struct HostileCase {
  const char* name;
  Hostility hostility;
  Operation operation;
  const char* firstLine;
};

class HostilePort : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostilePort, TransferWaitsWithoutSpinningOrShowingAnything) {
  const HostileCase& c = GetParam();
  constexpr auto kPoll = 20ms;
  Worker w;
  ASSERT_TRUE(w.Start(testing::MakeHostilePort(c.hostility), kPoll));
  const auto started = std::chrono::steady_clock::now();
  switch (c.operation) {
    case Operation::kFirmwareUpload: {
      auto firmware = std::make_shared<FirmwareBuffer>();
      firmware->size = 1000;
      w.mailbox.Post(TransferRequest::Upload(firmware));
      break;
    }
    case Operation::kConfigWrite:
      w.mailbox.Post(TransferRequest::Write(std::make_shared<const ConfigImage>(CheckedImage())));
      break;
    default:
      w.mailbox.Post(TransferRequest::Read());
      break;
  }
  w.thread->Wake();
  ASSERT_TRUE(WaitUntil([&] { return w.HasLine(c.firstLine); }));
  std::this_thread::sleep_for(300ms);
  w.thread->Terminate();
  w.thread->Join();
  const auto elapsed = std::chrono::steady_clock::now() - started;

  // The first frame goes at most three times: the device is asked again
  // twice, and then the transfer waits.
  int sent = 0;
  for (const std::string& line : w.listener.Lines()) {
    sent += line == c.firstLine ? 1 : 0;
    EXPECT_TRUE(line == c.firstLine || line == "Eeprom frame checksum error." ||
                line == "Eeprom page data checksum error." ||
                line == "No reply to page 0, asking again (2 of 3)." ||
                line == "No reply to page 0, asking again (3 of 3)." ||
                line == "Damaged reply to page 0, asking again (2 of 3)." ||
                line == "Damaged reply to page 0, asking again (3 of 3).")
        << line;
  }
  EXPECT_LE(sent, 3);
  EXPECT_TRUE(w.listener.Images().empty());
  // A failing port is reported once, however often its reads fail.
  const std::vector<std::string> portErrors = c.hostility == Hostility::kReadsFail
                                                  ? std::vector<std::string>{"read failed"}
                                                  : std::vector<std::string>{};
  EXPECT_EQ(w.listener.PortErrors(), portErrors);
  if (c.hostility != Hostility::kAnswersGarbage) {
    // One read per poll time-out at most (plus the wakes and the shorter
    // polls that end where the device is asked again): a spinning loop
    // would read thousands of times.
    const auto polls = elapsed / kPoll;
    EXPECT_LE(w.port->CurrentStats().reads, polls + 9) << "reads " << w.port->CurrentStats().reads;
  }
  EXPECT_EQ(w.port->CurrentStats().closes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTransfer, HostilePort,
    ::testing::Values(HostileCase{"silent_upload", Hostility::kNeverAnswers,
                                  Operation::kFirmwareUpload, "Firmware page sent [0]."},
                      HostileCase{"silent_write", Hostility::kNeverAnswers, Operation::kConfigWrite,
                                  "Eeprom page sent [0]."},
                      HostileCase{"silent_read", Hostility::kNeverAnswers, Operation::kConfigRead,
                                  "Eeprom read request, page [0]."},
                      HostileCase{"garbage_upload", Hostility::kAnswersGarbage,
                                  Operation::kFirmwareUpload, "Firmware page sent [0]."},
                      HostileCase{"garbage_write", Hostility::kAnswersGarbage,
                                  Operation::kConfigWrite, "Eeprom page sent [0]."},
                      HostileCase{"garbage_read", Hostility::kAnswersGarbage,
                                  Operation::kConfigRead, "Eeprom read request, page [0]."},
                      HostileCase{"fragment_upload", Hostility::kAnswersAFragment,
                                  Operation::kFirmwareUpload, "Firmware page sent [0]."},
                      HostileCase{"fragment_write", Hostility::kAnswersAFragment,
                                  Operation::kConfigWrite, "Eeprom page sent [0]."},
                      HostileCase{"fragment_read", Hostility::kAnswersAFragment,
                                  Operation::kConfigRead, "Eeprom read request, page [0]."},
                      HostileCase{"failing_upload", Hostility::kReadsFail,
                                  Operation::kFirmwareUpload, "Firmware page sent [0]."},
                      HostileCase{"failing_write", Hostility::kReadsFail, Operation::kConfigWrite,
                                  "Eeprom page sent [0]."},
                      HostileCase{"failing_read", Hostility::kReadsFail, Operation::kConfigRead,
                                  "Eeprom read request, page [0]."}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vardex
