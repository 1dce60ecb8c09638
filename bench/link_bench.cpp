// Runs a config write, a config read and a largest-size firmware upload
// through the real worker and QSerialPort adapter against vardex-sim, paced at
// 115200 baud, unpaced, and paced behind a 16 ms adapter latency, and prints
// how close each comes to the line rate; then floods the real window with
// acknowledgements and prints how long its event loop stalled and how its
// memory grew.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <array>
#include <optional>

#include "Unit1.h"
#include "comm_thread.h"
#include "message_boxes.h"
#include "serial_port_adapter.h"
#include "sim_launcher.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Waits for the end of a transfer and measures the worker thread's own CPU
// time in between (it runs on the worker thread).
class BenchListener final : public vardex::LinkListener {
 public:
  void Expect(vardex::Operation operation) {
    std::lock_guard lock(mutex_);
    operation_ = operation;
    finished_ = false;
    started_ = false;
  }
  void OnLogLine(std::string_view) override {
    std::lock_guard lock(mutex_);
    if (!started_) {
      started_ = true;
      cpuAtStart_ = ThreadCpuSeconds();
    }
  }
  void OnProgress(const vardex::TransferProgress&) override {}
  void OnOutcome(const vardex::LinkOutcome& outcome) override {
    using Kind = vardex::LinkOutcome::Kind;
    std::lock_guard lock(mutex_);
    if (outcome.operation != operation_ ||
        (outcome.kind != Kind::kFinished && outcome.kind != Kind::kReadChecksumFailed))
      return;
    cpuUsed_ = ThreadCpuSeconds() - cpuAtStart_;
    finished_ = true;
    done_.notify_all();
  }
  bool WaitFinished(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    return done_.wait_for(lock, limit, [this] { return finished_; });
  }
  double CpuUsed() {
    std::lock_guard lock(mutex_);
    return cpuUsed_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  vardex::Operation operation_ = vardex::Operation::kNone;
  bool started_ = false;
  bool finished_ = false;
  double cpuAtStart_ = 0;
  double cpuUsed_ = 0;
};

// vardex-sim as a child process; its READY line gives the pty.
struct Scenario {
  const char* name;
  vardex::Operation operation;
  std::uint32_t pages;
  std::uint32_t bytesOutPerPage;
  std::uint32_t bytesInPerPage;
};

constexpr std::size_t kScenarios = 3;
// Wall seconds per scenario; negative when it did not finish.
using Walls = std::array<double, kScenarios>;

Walls RunMode(const char* mode, const std::vector<std::string>& simOptions,
              const std::string& linkDir, bool measureIdle) {
  Walls walls{-1, -1, -1};
  std::vector<std::string> options{"--com", "9", "--link-dir", linkDir};
  options.insert(options.end(), simOptions.begin(), simOptions.end());
  vardex::sim::SimProcess sim;
  if (!sim.Start(options)) {
    std::printf("%s: vardex-sim did not start\n", mode);
    return walls;
  }
  static vardex::TransferMailbox mailbox;
  static BenchListener listener;
  static vardex::LinkSession session;
  const auto firmware = std::make_shared<vardex::FirmwareBuffer>();
  firmware->size = vardex::FirmwareBuffer::kCapacity;
  for (std::size_t i = 0; i < firmware->size; ++i)
    firmware->bytes[i] = static_cast<std::uint8_t>(i * 13);
  const auto image = std::make_shared<vardex::ConfigImage>();
  for (std::size_t i = 4; i < image->bytes.size(); ++i)
    image->bytes[i] = static_cast<std::uint8_t>(i);
  vardex::StoreImageChecksum(*image);

  vardex::TCommThread worker(session, mailbox, listener, std::make_unique<vardex::QtSerialPort>());
  if (!worker.Open(sim.SlavePath())) {
    std::printf("%s: port did not open\n", mode);
    return walls;
  }
  worker.Run();

  const std::array<Scenario, kScenarios> scenarios = {{
      {"config write", vardex::Operation::kConfigWrite, 16, 136, 8},
      {"config read", vardex::Operation::kConfigRead, 16, 8, 136},
      {"firmware 237568 B", vardex::Operation::kFirmwareUpload, 1856, 136, 8},
  }};
  std::printf("\n%s\n", mode);
  // Per page: the wall time beyond the line's own time (the tool, the
  // simulator and the pty together), and the worker thread's CPU time alone.
  std::printf("%-18s %8s %9s %15s %6s %11s %17s %16s\n", "transfer", "bytes", "wall s",
              "115200 limit s", "ratio", "wall/page", "beyond line/page", "worker CPU/page");
  for (std::size_t index = 0; index < kScenarios; ++index) {
    const Scenario& s = scenarios[index];
    listener.Expect(s.operation);
    const auto start = Clock::now();
    if (s.operation == vardex::Operation::kConfigWrite)
      mailbox.Post(vardex::TransferRequest::Write(image));
    if (s.operation == vardex::Operation::kConfigRead)
      mailbox.Post(vardex::TransferRequest::Read());
    if (s.operation == vardex::Operation::kFirmwareUpload)
      mailbox.Post(vardex::TransferRequest::Upload(firmware));
    worker.Wake();
    if (!listener.WaitFinished(300s)) {
      std::printf("%-18s did not finish\n", s.name);
      continue;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    walls[index] = wall;
    const std::uint32_t bytes = s.pages * (s.bytesOutPerPage + s.bytesInPerPage);
    const double limit = bytes * 10.0 / 115200.0;  // start + 8 data + stop bits
    const double beyond = wall > limit ? (wall - limit) / s.pages : 0.0;
    std::printf("%-18s %8u %9.3f %15.3f %6.3f %8.1f us %14.1f us %13.1f us\n", s.name, bytes, wall,
                limit, wall / limit, wall / s.pages * 1e6, beyond * 1e6,
                listener.CpuUsed() / s.pages * 1e6);
  }
  // The file is loaded once and shared with the mailbox and the engine; the
  // engine lets its share go when the last page is acknowledged.
  std::printf("firmware held per upload: 1 buffer of %zu bytes; holders after it ended: %ld\n",
              sizeof(vardex::FirmwareBuffer), firmware.use_count());

  if (!measureIdle) {
    worker.Terminate();
    worker.Join();
    return walls;
  }
  const double cpuBefore = ProcessCpuSeconds();
  std::this_thread::sleep_for(10s);
  const double idleCpu = ProcessCpuSeconds() - cpuBefore;
  std::printf("worker CPU while idle 10 s with the port open: %.4f s (%.3f%%)\n", idleCpu,
              idleCpu / 10 * 100);

  // The device goes away under the open port (the pty hangs up): reads now
  // fail at once, and the worker must still only poll at its pace.
  sim.Stop(SIGTERM);
  const double goneBefore = ProcessCpuSeconds();
  std::this_thread::sleep_for(5s);
  const double goneCpu = ProcessCpuSeconds() - goneBefore;
  std::printf("worker CPU for 5 s after the device went away: %.4f s (%.3f%%)\n", goneCpu,
              goneCpu / 5 * 100);
  worker.Terminate();
  worker.Join();
  return walls;
}

// What an adapter's latency timer costs: the same transfers, paced, with and
// without the held tail of every reply.
void PrintLatencyCost(const Walls& paced, const Walls& late) {
  const char* names[kScenarios] = {"config write", "config read", "firmware 237568 B"};
  const std::uint32_t pages[kScenarios] = {16, 16, 1856};
  std::printf("\nadapter latency 16 ms, cost against the paced run\n");
  std::printf("%-18s %12s %14s\n", "transfer", "per page", "whole transfer");
  for (std::size_t i = 0; i < kScenarios; ++i) {
    if (paced[i] < 0 || late[i] < 0) {
      std::printf("%-18s did not finish\n", names[i]);
      continue;
    }
    const double extra = late[i] - paced[i];
    std::printf("%-18s %9.2f ms %12.2f s\n", names[i], extra / pages[i] * 1e3, extra);
  }
}

long ResidentKb() {
  long pages = 0;
  long resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr)
    return 0;
  if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
    resident = 0;
  std::fclose(statm);
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class NoBoxes final : public vardex::MessageBoxes {
 public:
  void ShowInformation(const QString&, const QString&) override {}
  void ShowTitledInformation(const QString&, const QString&) override {}
  void ShowError(const QString&) override {}
  bool AskCloseAnyway(const QString&) override { return true; }
  int Ask(const Question&) override { return 0; }
};

// The real window against a device that floods image acknowledgements at
// 100 kB/s for 20 s while a read runs: the longest time the window's event
// loop did not turn, and how much resident memory grew.
void RunFlood(const std::string& linkDir) {
  constexpr int kFloodSeconds = 20;
  vardex::sim::SimProcess sim;
  if (!sim.Start({"--com", "9", "--link-dir", linkDir, "--flood", "ack", "--flood-rate", "100000",
                  "--flood-after", "1", "--flood-for", std::to_string(kFloodSeconds)})) {
    std::printf("flood: vardex-sim did not start\n");
    return;
  }
  NoBoxes boxes;
  auto form = std::make_unique<TForm1>(&boxes);
  const std::string path = sim.SlavePath();
  form->Link().SetNameResolver([path](const QString&) {
    return vardex::ComPortTarget{vardex::ComRoute::kSystemPort, path};
  });
  form->show();
  long lines = 0;
  QObject::connect(&form->Link(), &vardex::DeviceLink::LogLine, [&lines] { ++lines; });
  form->Button1Click();
  QEventLoop settle;
  QTimer::singleShot(300, &settle, &QEventLoop::quit);
  settle.exec();
  const long rssBefore = ResidentKb();
  long rssMost = rssBefore;

  // A zero-interval timer fires once per turn of the event loop.
  auto last = Clock::now();
  Clock::duration longest{};
  int turns = 0;
  QTimer ticker;
  ticker.setInterval(0);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const auto now = Clock::now();
    longest = std::max(longest, now - last);
    last = now;
    if (++turns % 256 == 0)
      rssMost = std::max(rssMost, ResidentKb());
  });
  form->Button4Click();  // "Read config"; the flood starts after the first reply
  last = Clock::now();
  ticker.start();
  QEventLoop loop;
  QTimer::singleShot((kFloodSeconds + 2) * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  ticker.stop();
  rssMost = std::max(rssMost, ResidentKb());

  std::printf(
      "\nack flood at 100 kB/s for %d s during a read, real window (goals: < 50 ms, < 20 MB)\n",
      kFloodSeconds);
  std::printf("longest gap between event-loop turns: %.1f ms over %d turns\n",
              std::chrono::duration<double, std::milli>(longest).count(), turns);
  std::printf("resident memory: %.1f MB before, grew by at most %.1f MB\n", rssBefore / 1024.0,
              (rssMost - rssBefore) / 1024.0);
  std::printf("log lines delivered: %ld; reports waiting at most: %zu (bound %zu)\n", lines,
              form->Link().Reports().HighWater(), vardex::ReportQueue::kBound);
  form->Button2Click();
  form.reset();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);  // the flood runs the real window
  char dirTemplate[] = "/tmp/vardex-bench-XXXXXX";
  const char* dir = mkdtemp(dirTemplate);
  if (dir == nullptr)
    return 1;
  const std::string linkDir = std::string(dir) + "/dosdevices";
  const Walls paced =
      RunMode("paced at 115200 baud (--baud 115200)", {"--baud", "115200"}, linkDir, true);
  RunMode("unpaced", {}, linkDir, true);
  const Walls late = RunMode("paced, adapter latency 16 ms (--baud 115200 --latency-ms 16)",
                             {"--baud", "115200", "--latency-ms", "16"}, linkDir, false);
  PrintLatencyCost(paced, late);
  RunFlood(linkDir);
  std::string cleanup = std::string("rm -rf ") + dir;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
