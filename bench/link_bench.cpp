// Runs a config write, a config read and a largest-size firmware upload
// through the real worker and QSerialPort adapter against vardex-sim, paced at
// 115200 baud and unpaced, and prints how close each comes to the line rate.
#include <signal.h>
#include <sys/resource.h>

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

#include <QCoreApplication>

#include "communication.h"
#include "qt_serial_port.h"
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

// Watches the worker's log for the end of a transfer and measures the
// worker thread's own CPU time in between (it runs on the worker thread).
class BenchListener final : public vardex::LinkListener {
 public:
  void Expect(std::string_view finishLine) {
    std::lock_guard lock(mutex_);
    finishLine_ = finishLine;
    finished_ = false;
    started_ = false;
  }
  void OnLogLine(std::string_view line) override {
    std::lock_guard lock(mutex_);
    if (!started_) {
      started_ = true;
      cpuAtStart_ = ThreadCpuSeconds();
    }
    if (line == finishLine_) {
      cpuUsed_ = ThreadCpuSeconds() - cpuAtStart_;
      finished_ = true;
      done_.notify_all();
    }
  }
  void OnProgress(vardex::Operation, std::uint32_t) override {}
  void OnImageVerified(const vardex::ConfigImage&) override {}
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
  std::string finishLine_;
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
  const char* finishLine;
};

void RunMode(const char* mode, const std::vector<std::string>& simOptions,
             const std::string& linkDir) {
  std::vector<std::string> options{"--com", "9", "--link-dir", linkDir};
  options.insert(options.end(), simOptions.begin(), simOptions.end());
  vardex_sim::SimProcess sim;
  if (!sim.Start(options)) {
    std::printf("%s: vardex-sim did not start\n", mode);
    return;
  }
  static vardex::TransferMailbox mailbox;
  static BenchListener listener;
  static vardex::TransferEngine engine;
  static vardex::FirmwareBuffer firmware;
  firmware.size = vardex::FirmwareBuffer::kCapacity;
  for (std::size_t i = 0; i < firmware.size; ++i)
    firmware.bytes[i] = static_cast<std::uint8_t>(i * 13);
  vardex::ConfigImage image;
  for (std::size_t i = 4; i < image.bytes.size(); ++i)
    image.bytes[i] = static_cast<std::uint8_t>(i);
  vardex::StoreImageChecksum(image);

  vardex::TCommThread worker(engine, mailbox, listener, std::make_unique<vardex::QtSerialPort>());
  if (!worker.Open(sim.slave_path())) {
    std::printf("%s: port did not open\n", mode);
    return;
  }
  worker.Run();

  const Scenario scenarios[] = {
      {"config write", vardex::Operation::kConfigWrite, 16, 136, 8, "Send finished."},
      {"config read", vardex::Operation::kConfigRead, 16, 8, 136, "Eeprom read finished."},
      {"firmware 237568 B", vardex::Operation::kFirmwareUpload, 1856, 136, 8, "Send finished."},
  };
  std::printf("\n%s\n", mode);
  // Per page: the wall time beyond the line's own time (the tool, the
  // simulator and the pty together), and the worker thread's CPU time alone.
  std::printf("%-18s %8s %9s %15s %6s %11s %17s %16s\n", "transfer", "bytes", "wall s",
              "115200 limit s", "ratio", "wall/page", "beyond line/page", "worker CPU/page");
  for (const Scenario& s : scenarios) {
    listener.Expect(s.finishLine);
    const auto start = Clock::now();
    if (s.operation == vardex::Operation::kConfigWrite)
      mailbox.PostConfigWrite(image);
    if (s.operation == vardex::Operation::kConfigRead)
      mailbox.PostConfigRead();
    if (s.operation == vardex::Operation::kFirmwareUpload)
      mailbox.PostFirmwareUpload(firmware);
    worker.Wake();
    if (!listener.WaitFinished(300s)) {
      std::printf("%-18s did not finish\n", s.name);
      continue;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const std::uint32_t bytes = s.pages * (s.bytesOutPerPage + s.bytesInPerPage);
    const double limit = bytes * 10.0 / 115200.0;  // start + 8 data + stop bits
    const double beyond = wall > limit ? (wall - limit) / s.pages : 0.0;
    std::printf("%-18s %8u %9.3f %15.3f %6.3f %8.1f us %14.1f us %13.1f us\n", s.name, bytes, wall,
                limit, wall / limit, wall / s.pages * 1e6, beyond * 1e6,
                listener.CpuUsed() / s.pages * 1e6);
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
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // gives the worker's port a home for its notifiers
  char dirTemplate[] = "/tmp/vardex-bench-XXXXXX";
  const char* dir = mkdtemp(dirTemplate);
  if (dir == nullptr)
    return 1;
  const std::string linkDir = std::string(dir) + "/dosdevices";
  RunMode("paced at 115200 baud (--baud 115200)", {"--baud", "115200"}, linkDir);
  RunMode("unpaced", {}, linkDir);
  std::string cleanup = std::string("rm -rf ") + dir;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
