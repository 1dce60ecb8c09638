#include "sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <thread>

namespace vardex::sim {
namespace {

using Clock = std::chrono::steady_clock;

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

}  // namespace vardex::sim
