#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace vardex::sim {

// The real vardex-sim binary, started with the given arguments (and
// --exit-with-parent, so a test that dies leaves no simulator behind), and
// killed when the object goes away if it was not stopped before.
class SimProcess {
 public:
  SimProcess() = default;
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  ~SimProcess();

  // Spawns the program and waits (bounded) for its READY line. False if the
  // program exited or stayed silent.
  bool Start(const std::vector<std::string>& args);
  // Sends `signal` and collects the exit status; -1 when the program had to
  // be killed. User plus system CPU time of the program lands in `cpu`.
  int Stop(int signal, std::chrono::microseconds* cpu = nullptr);
  // Waits (bounded) for an exit that happens by itself, collecting the rest
  // of its output; -1 on time-out.
  int WaitExit(std::chrono::milliseconds limit);

  const std::string& SlavePath() const { return slavePath_; }
  const std::string& StdoutText() const { return stdoutText_; }

 private:
  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  std::string slavePath_;
  std::string stdoutText_;
};

}  // namespace vardex::sim
