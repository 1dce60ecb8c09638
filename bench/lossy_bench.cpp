// Runs "vardex read", "vardex write" (with its read-back) and "vardex flash"
// against vardex-sim at 115200 baud on a line that loses or damages every
// k-th reply, and prints how many transfers completed and how long they
// took against the same transfer on a clean line. One simulator serves all
// runs of a row, so each run meets the faults at another page. Prints
// figures, asserts nothing. `--quick` leaves out the largest firmware.
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim_launcher.h"
#include "vardex_run.h"

namespace {

using vardex::bench::RunVardex;
using vardex::bench::VardexRun;

bool WriteFirmware(const std::string& path, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  for (std::size_t i = 0; i < size; ++i) out.put(static_cast<char>((i * 31 + i / 128) & 0xFF));
  return static_cast<bool>(out);
}

struct Row {
  std::string name;
  std::vector<std::string> faults;  // vardex-sim's fault switches
  std::vector<std::string> command;
  int runs;
};

// Completed runs and their mean time; the clean line's mean for the ratio.
void Measure(const Row& row, double& cleanMean) {
  std::vector<std::string> simArgs{"--baud", "115200"};
  simArgs.insert(simArgs.end(), row.faults.begin(), row.faults.end());
  vardex::sim::SimProcess sim;
  if (!sim.Start(simArgs)) {
    std::printf("%-44s vardex-sim did not start\n", row.name.c_str());
    return;
  }
  std::vector<std::string> args = row.command;
  for (std::string& a : args) {
    if (a == "PORT")
      a = sim.SlavePath();
  }
  int completed = 0;
  double total = 0;
  for (int i = 0; i < row.runs; ++i) {
    const VardexRun run = RunVardex(args);
    if (run.status == 0) {
      ++completed;
      total += run.seconds;
    }
  }
  sim.Stop(SIGTERM);
  const double mean = completed > 0 ? total / completed : 0;
  if (row.faults.empty())
    cleanMean = mean;
  std::printf("%-44s %3d of %-3d %9.2f %9.2f\n", row.name.c_str(), completed, row.runs, mean,
              cleanMean > 0 && completed > 0 ? mean / cleanMean : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::string_view(argv[1]) == "--quick";
  char dirTemplate[] = "/tmp/vardex-lossy-bench-XXXXXX";
  const char* dir = mkdtemp(dirTemplate);
  if (dir == nullptr)
    return 1;
  const std::string image = std::string(dir) + "/bench.img";
  const std::string small = std::string(dir) + "/300-pages.bin";
  const std::string largest = std::string(dir) + "/1856-pages.bin";
  if (RunVardex({"defaults", "-o", image}).status != 0 ||
      !WriteFirmware(small, std::size_t{300} * 128) ||
      !WriteFirmware(largest, std::size_t{1856} * 128)) {
    std::printf("could not prepare the files\n");
    return 1;
  }
  const std::vector<std::string> read{"read", "PORT", "-o", std::string(dir) + "/read.img"};
  const std::vector<std::string> write{"write", "PORT", image, "--clock", "keep"};
  const std::vector<std::string> flashSmall{"flash", "PORT", small, "--force"};
  const std::vector<std::string> flashLargest{"flash", "PORT", largest, "--force"};
  const std::vector<std::string> noisy{"--drop-every", "23", "--garble-every", "31"};

  std::vector<Row> rows{
      {"read, clean line", {}, read, 12},
      {"read, 1 in 23 lost, 1 in 31 damaged", noisy, read, 12},
      {"write + read-back, clean line", {}, write, 8},
      {"write + read-back, 1 in 23 lost, 1 in 31 dmg", noisy, write, 8},
      {"flash 300 pages, clean line", {}, flashSmall, 2},
      {"flash 300 pages, 1 in 97 lost", {"--drop-every", "97"}, flashSmall, 2},
  };
  if (!quick) {
    rows.push_back({"flash 1856 pages, clean line", {}, flashLargest, 1});
    rows.push_back({"flash 1856 pages, 1 in 1000 lost", {"--drop-every", "1000"}, flashLargest, 2});
    rows.push_back({"flash 1856 pages, 1 in 100 lost", {"--drop-every", "100"}, flashLargest, 2});
  }
  std::printf("vardex against vardex-sim at 115200 baud (one simulator per row)\n");
  std::printf("%-44s %10s %9s %9s\n", "transfer", "completed", "mean s", "/clean");
  double cleanMean = 0;
  for (const Row& row : rows) Measure(row, cleanMean);
  const std::string cleanup = std::string("rm -rf ") + dir;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
