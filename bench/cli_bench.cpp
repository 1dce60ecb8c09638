// Runs "vardex read" and "vardex write" as a user would, against vardex-sim
// paced at 115200 baud, and prints each one's wall time against the time the
// line itself needs. Prints figures, asserts nothing.
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "sim_launcher.h"
#include "vardex_run.h"

namespace {

constexpr int kRuns = 5;

// Wall time of one vardex run, or a negative value when it failed.
double TimeVardex(std::vector<std::string> args) {
  const vardex::bench::VardexRun run = vardex::bench::RunVardex(std::move(args));
  return run.status == 0 ? run.seconds : -1;
}

}  // namespace

int main() {
  char dir_template[] = "/tmp/vardex-cli-bench-XXXXXX";
  const char* dir = mkdtemp(dir_template);
  if (dir == nullptr)
    return 1;
  const std::string image = std::string(dir) + "/bench.img";
  vardex::sim::SimProcess sim;
  if (!sim.Start({"--baud", "115200"})) {
    std::printf("vardex-sim did not start\n");
    return 1;
  }
  const std::string& port = sim.SlavePath();
  // 16 pages; per page 8 + 136 bytes cross the line, 10 bits a byte.
  constexpr double kLimit = 16 * (8 + 136) * 10.0 / 115200.0;
  // A run that does nothing but start and end, best of a few.
  double start = 1e9;
  for (int run = 0; run < kRuns; ++run) start = std::min(start, TimeVardex({"--version"}));
  std::printf("vardex start and exit alone: %.3f s\n", start);
  std::printf("%-14s %8s %8s %15s %10s %17s\n", "command", "best s", "mean s", "115200 limit s",
              "best/limit", "(best-start)/limit");
  struct Command {
    const char* name;
    std::vector<std::string> args;
  };
  const Command commands[] = {
      {"vardex read", {"read", port, "-o", image, "--quiet"}},
      {"vardex write", {"write", port, image, "--clock", "keep", "--quiet"}},
  };
  for (const Command& command : commands) {
    double best = 1e9;
    double total = 0;
    for (int run = 0; run < kRuns; ++run) {
      const double wall = TimeVardex(command.args);
      if (wall < 0) {
        std::printf("%s failed\n", command.name);
        return 1;
      }
      best = std::min(best, wall);
      total += wall;
    }
    std::printf("%-14s %8.3f %8.3f %15.3f %10.3f %17.3f\n", command.name, best, total / kRuns,
                kLimit, best / kLimit, (best - start) / kLimit);
  }
  sim.Stop(SIGTERM);
  const std::string cleanup = std::string("rm -rf ") + dir;
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
