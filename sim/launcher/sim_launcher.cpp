// Starts the simulator for the tests and the benchmark: posix_spawn rather
// than fork, which ThreadSanitizer refuses in a threaded program, and every
// wait bounded.
#include "sim_launcher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace vardex::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Generous: a sanitizer build starts slowly on a loaded machine.
constexpr auto kReadyLimit = std::chrono::seconds(20);
constexpr auto kExitLimit = std::chrono::seconds(5);

int MillisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

SimProcess::~SimProcess() {
  if (pid_ > 0)
    Stop(SIGKILL);
  if (stdoutFd_ >= 0)
    close(stdoutFd_);
}

bool SimProcess::Start(const std::vector<std::string>& args) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0)
    return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);

  std::vector<std::string> all{VARDEX_SIM_PATH, "--exit-with-parent"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(all.size() + 1);
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  const int rc = posix_spawn(&pid_, VARDEX_SIM_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  stdoutFd_ = out[0];
  if (rc != 0) {
    pid_ = -1;
    return false;
  }

  const auto deadline = Clock::now() + kReadyLimit;
  while (stdoutText_.find('\n') == std::string::npos) {
    pollfd pfd{stdoutFd_, POLLIN, 0};
    if (poll(&pfd, 1, MillisLeft(deadline)) <= 0)
      return false;
    char buffer[256];
    const ssize_t n = read(stdoutFd_, buffer, sizeof buffer);
    if (n <= 0)
      return false;  // the program ended before it was ready
    stdoutText_.append(buffer, static_cast<std::size_t>(n));
  }
  const std::string line = stdoutText_.substr(0, stdoutText_.find('\n'));
  if (!line.starts_with("READY "))
    return false;
  slavePath_ = line.substr(6);
  return true;
}

int SimProcess::WaitExit(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  // Collect the rest of what the program printed, up to its end.
  while (stdoutFd_ >= 0) {
    pollfd pfd{stdoutFd_, POLLIN, 0};
    if (poll(&pfd, 1, MillisLeft(deadline)) <= 0)
      break;
    char buffer[1024];
    const ssize_t n = read(stdoutFd_, buffer, sizeof buffer);
    if (n <= 0)
      break;
    stdoutText_.append(buffer, static_cast<std::size_t>(n));
  }
  while (pid_ > 0) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (Clock::now() >= deadline)
      return -1;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return -1;
}

int SimProcess::Stop(int signal, std::chrono::microseconds* cpu) {
  if (pid_ <= 0)
    return -1;
  kill(pid_, signal);
  const auto deadline = Clock::now() + kExitLimit;
  int status = 0;
  rusage usage{};
  while (true) {
    const pid_t done = wait4(pid_, &status, WNOHANG, &usage);
    if (done == pid_)
      break;
    if (Clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      wait4(pid_, &status, 0, &usage);
      pid_ = -1;
      return -1;
    }
    std::this_thread::sleep_for(milliseconds(5));
  }
  pid_ = -1;
  if (cpu != nullptr) {
    auto micros = [](const timeval& tv) {
      return std::chrono::seconds(tv.tv_sec) + std::chrono::microseconds(tv.tv_usec);
    };
    *cpu = micros(usage.ru_utime) + micros(usage.ru_stime);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace vardex::sim
