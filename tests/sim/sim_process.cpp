#include "sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace sim_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReadyLimit = std::chrono::seconds(5);
constexpr auto kExitLimit = std::chrono::seconds(5);

int MillisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

TempDir::TempDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "vardex-sim-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr)
    path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty())
    std::filesystem::remove_all(path_, ignored);
}

SimProcess::~SimProcess() {
  if (pid_ > 0)
    Stop(SIGKILL);
  if (stdout_fd_ >= 0)
    close(stdout_fd_);
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
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  const int rc = posix_spawn(&pid_, VARDEX_SIM_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  stdout_fd_ = out[0];
  if (rc != 0) {
    pid_ = -1;
    return false;
  }

  const auto deadline = Clock::now() + kReadyLimit;
  while (stdout_text_.find('\n') == std::string::npos) {
    pollfd pfd{stdout_fd_, POLLIN, 0};
    if (poll(&pfd, 1, MillisLeft(deadline)) <= 0)
      return false;
    char buffer[256];
    const ssize_t n = read(stdout_fd_, buffer, sizeof buffer);
    if (n <= 0)
      return false;  // the program ended before it was ready
    stdout_text_.append(buffer, static_cast<std::size_t>(n));
  }
  const std::string line = stdout_text_.substr(0, stdout_text_.find('\n'));
  if (!line.starts_with("READY "))
    return false;
  slave_path_ = line.substr(6);
  return true;
}

int SimProcess::WaitExit(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  // Collect the rest of what the program printed, up to its end.
  while (stdout_fd_ >= 0) {
    pollfd pfd{stdout_fd_, POLLIN, 0};
    if (poll(&pfd, 1, MillisLeft(deadline)) <= 0)
      break;
    char buffer[1024];
    const ssize_t n = read(stdout_fd_, buffer, sizeof buffer);
    if (n <= 0)
      break;
    stdout_text_.append(buffer, static_cast<std::size_t>(n));
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

Port::Port(const std::string& path) {
  fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0)
    return;
  termios tio{};
  tcgetattr(fd_, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd_, TCSANOW, &tio);
}

Port::~Port() {
  Close();
}

void Port::Close() {
  if (fd_ >= 0)
    close(fd_);
  fd_ = -1;
}

bool Port::Write(std::span<const std::uint8_t> bytes) {
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  while (!bytes.empty()) {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR)
      return false;
    pollfd pfd{fd_, POLLOUT, 0};
    if (poll(&pfd, 1, MillisLeft(deadline)) <= 0)
      return false;
  }
  return true;
}

std::vector<Bytes> Port::ReadPieces(std::size_t count, milliseconds limit) {
  std::vector<Bytes> pieces;
  std::size_t total = 0;
  const auto deadline = Clock::now() + limit;
  while (total < count) {
    pollfd pfd{fd_, POLLIN, 0};
    if (poll(&pfd, 1, MillisLeft(deadline)) <= 0)
      break;
    std::uint8_t buffer[512];
    const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, count - total));
    if (n <= 0)
      continue;
    pieces.emplace_back(buffer, buffer + n);
    total += static_cast<std::size_t>(n);
  }
  return pieces;
}

Bytes Port::Read(std::size_t count, milliseconds limit) {
  Bytes all;
  for (const Bytes& piece : ReadPieces(count, limit))
    all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

bool Port::StaysSilent(milliseconds span) {
  pollfd pfd{fd_, POLLIN, 0};
  return poll(&pfd, 1, static_cast<int>(span.count())) == 0;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::uint16_t Sum16(std::span<const std::uint8_t> data) {
  unsigned sum = 0;
  for (std::uint8_t b : data) sum += b;
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

Bytes Header(std::uint8_t code, std::uint16_t page, std::uint16_t sum) {
  Bytes h{0xFF,
          code,
          static_cast<std::uint8_t>(page >> 8),
          static_cast<std::uint8_t>(page),
          static_cast<std::uint8_t>(sum >> 8),
          static_cast<std::uint8_t>(sum),
          0x00,
          0x00};
  unsigned check = 0;
  for (int i = 1; i <= 6; ++i) check += h[i];
  h[7] = static_cast<std::uint8_t>(check);
  return h;
}

Bytes Concat(const Bytes& a, const Bytes& b) {
  Bytes out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace sim_test
