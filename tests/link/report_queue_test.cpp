#include "report_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "comm_thread.h"
#include "wait_until.h"

namespace vardex {
namespace {

using namespace std::chrono_literals;

using testing::WaitUntil;

// A device that, once the tool has written to it, streams valid image
// acknowledgements as fast as it is read: every read returns 128 bytes,
// sixteen whole acknowledgements.
class AckFloodPort final : public SerialPort {
 public:
  bool Open(const std::string&) override { return true; }
  std::size_t Read(std::span<std::uint8_t> into, std::chrono::milliseconds) override {
    if (!flooding_)
      return 0;
    reads_->fetch_add(1);
    static constexpr std::uint8_t kAck[8] = {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};
    for (std::size_t i = 0; i < into.size(); ++i) into[i] = kAck[i % 8];
    return into.size();
  }
  std::string LastReadError() const override { return {}; }
  void Write(std::span<const std::uint8_t>) override { flooding_ = true; }
  void Close() override {}
  void Interrupt() override {}
  // Outlives the port, which the worker destroys.
  std::shared_ptr<std::atomic<int>> Reads() const { return reads_; }

 private:
  std::shared_ptr<std::atomic<int>> reads_ = std::make_shared<std::atomic<int>>(0);
  bool flooding_ = false;  // worker thread only
};

struct Flood {
  std::atomic<int> schedules{0};
  ReportQueue queue{[this] { schedules.fetch_add(1); }};
  TransferMailbox mailbox;
  LinkSession engine;
  std::shared_ptr<std::atomic<int>> reads;
  std::unique_ptr<TCommThread> worker;

  // Ends the worker as "Close port" does, also when it waits at the bound.
  ~Flood() {
    if (!worker)
      return;
    worker->Terminate();
    queue.CancelWaits();
    worker->Join();
  }
  void Start() {
    auto port = std::make_unique<AckFloodPort>();
    reads = port->Reads();
    worker = std::make_unique<TCommThread>(engine, mailbox, queue, std::move(port));
    ASSERT_TRUE(worker->Open("/dev/flood"));
    worker->Run();
  }
  std::vector<std::string> Drain(std::size_t most) {
    std::vector<std::string> lines;
    LinkReport report;
    while (lines.size() < most && queue.Pop(report)) {
      if (report.kind == LinkReport::Kind::kLogLine)
        lines.emplace_back(report.Text());
    }
    return lines;
  }
};

// Nobody takes reports: the worker fills the queue to its bound and then
// waits, reading nothing more, instead of growing without end.
TEST(ReportQueue, AFloodStopsTheWorkerAtTheBound) {
  auto flood = std::make_unique<Flood>();
  flood->mailbox.Post(TransferRequest::Write(std::make_shared<const ConfigImage>()));
  flood->Start();
  ASSERT_TRUE(WaitUntil([&] { return flood->queue.Size() == ReportQueue::kBound; }));
  const int reads = flood->reads->load();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(flood->reads->load(), reads);
  EXPECT_EQ(flood->queue.Size(), 1024u);
  EXPECT_EQ(flood->queue.HighWater(), 1024u);
  EXPECT_EQ(flood->schedules.load(), 1);  // one delivery asked for, not one per report

  // Taken in the worker's order: the write's pages, then its end, then
  // every further acknowledgement adds its two lines.
  const std::vector<std::string> lines = flood->Drain(39);
  std::vector<std::string> expected{"Eeprom page sent [0]."};
  for (int page = 1; page <= 15; ++page) {
    expected.push_back("Page receive ack.");
    expected.push_back("Eeprom page sent [" + std::to_string(page) + "].");
  }
  expected.insert(expected.end(),
                  {"Page receive ack.", "Send finished.", "Page receive ack.", "Send finished.",
                   "Page receive ack.", "Send finished.", "Page receive ack.", "Send finished."});
  EXPECT_EQ(lines, expected);

  // Room again: the worker goes on, and stops at the bound once more.
  ASSERT_TRUE(WaitUntil([&] { return flood->reads->load() > reads; }));
  ASSERT_TRUE(WaitUntil([&] { return flood->queue.Size() == ReportQueue::kBound; }));
  EXPECT_EQ(flood->queue.HighWater(), 1024u);

  // Progress is coalesced to the latest of each transfer.
  const auto progress = flood->queue.TakeProgress(Operation::kConfigWrite);
  ASSERT_TRUE(progress.has_value());
  EXPECT_EQ(progress->pagesDone, 16u);
  EXPECT_EQ(progress->pageCount, 16u);
  EXPECT_FALSE(flood->queue.TakeProgress(Operation::kConfigWrite).has_value());
  EXPECT_FALSE(flood->queue.TakeProgress(Operation::kConfigRead).has_value());
}

// "Close port" while the worker waits for the window: it ends, and what it
// still reports stays within the queue's fixed capacity.
TEST(ReportQueue, AWorkerWaitingAtTheBoundEndsWhenClosed) {
  auto flood = std::make_unique<Flood>();
  flood->Start();
  flood->mailbox.Post(TransferRequest::Read());  // the first write starts the flood
  flood->worker->Wake();
  ASSERT_TRUE(WaitUntil([&] { return flood->queue.Size() == ReportQueue::kBound; }));
  flood->worker->Terminate();
  flood->queue.CancelWaits();
  flood->worker->Join();
  EXPECT_LE(flood->queue.Size(), ReportQueue::kCapacity);
  EXPECT_LE(flood->queue.HighWater(), 2048u);
}

// The delivery handshake: one schedule per idle spell, and EndDelivery()
// refuses while anything waits.
TEST(ReportQueue, SchedulesOnceUntilTheDeliveryEnds) {
  int schedules = 0;
  auto queue = std::make_unique<ReportQueue>([&] { ++schedules; });
  queue->OnLogLine("one");
  queue->OnProgress({Operation::kConfigRead, 3, 16});
  queue->OnLogLine("two");
  EXPECT_EQ(schedules, 1);
  LinkReport report;
  ASSERT_TRUE(queue->Pop(report));
  EXPECT_EQ(report.Text(), "one");
  EXPECT_FALSE(queue->EndDelivery());
  ASSERT_TRUE(queue->Pop(report));
  EXPECT_EQ(report.Text(), "two");
  EXPECT_FALSE(queue->Pop(report));
  EXPECT_FALSE(queue->EndDelivery());  // the progress still waits
  const auto progress = queue->TakeProgress(Operation::kConfigRead);
  ASSERT_TRUE(progress.has_value());
  EXPECT_EQ(progress->pagesDone, 3u);
  EXPECT_TRUE(queue->EndDelivery());
  queue->OnLogLine("three");
  EXPECT_EQ(schedules, 2);
}

// A read's image travels as the share the engine made, and the queue lets
// go of it once taken; a line longer than a slot is cut, never spilled.
TEST(ReportQueue, CarriesTheImageShareAndCutsOverlongText) {
  auto queue = std::make_unique<ReportQueue>([] {});
  auto image = std::make_shared<const ConfigImage>();
  LinkOutcome read = LinkOutcome::Of(LinkOutcome::Kind::kFinished, Operation::kConfigRead, 16, 16);
  read.image = image;
  queue->OnOutcome(read);
  read.image.reset();
  const std::string reason(300, 'x');
  LinkOutcome portFailed = LinkOutcome::Of(LinkOutcome::Kind::kPortFailed, Operation::kNone, 1, 0);
  portFailed.reason = reason;
  queue->OnOutcome(portFailed);
  LinkReport report;
  ASSERT_TRUE(queue->Pop(report));
  EXPECT_EQ(report.outcome.kind, LinkOutcome::Kind::kFinished);
  EXPECT_EQ(report.outcome.image, image);
  EXPECT_EQ(image.use_count(), 2);  // here and in the report taken, no longer in the queue
  ASSERT_TRUE(queue->Pop(report));
  EXPECT_EQ(report.outcome.kind, LinkOutcome::Kind::kPortFailed);
  EXPECT_EQ(report.outcome.image, nullptr);
  EXPECT_EQ(image.use_count(), 1);
  EXPECT_EQ(report.outcome.reason, std::string(110, 'x'));
}

}  // namespace
}  // namespace vardex
