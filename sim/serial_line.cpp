#include "serial_line.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vardex::sim {
namespace {

// Pause between two pieces of a fragmented reply.
constexpr auto kFragmentPause = std::chrono::microseconds(1500);
constexpr auto kWriteStallLimit = std::chrono::seconds(5);

}  // namespace

SerialLine::SerialLine(int fd, int baud, int fragment) : fd_(fd), fragment_(fragment) {
  if (baud > 0) {
    // 10 bits a byte: start bit, 8 data bits, stop bit.
    byteTime_ = std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(static_cast<std::int64_t>(10'000'000'000LL / baud)));
  }
}

bool SerialLine::Send(std::span<const std::uint8_t> bytes) {
  const std::size_t piece = fragment_ > 0 ? static_cast<std::size_t>(fragment_) : bytes.size();
  while (!bytes.empty()) {
    const std::span<const std::uint8_t> now = bytes.first(std::min(piece, bytes.size()));
    const bool ok = byteTime_ > Clock::duration::zero() ? WritePaced(now) : WriteAll(now);
    if (!ok)
      return false;
    bytes = bytes.subspan(now.size());
    if (!bytes.empty() && !SleepUntil(Clock::now() + kFragmentPause))
      return false;
  }
  return true;
}

// Each byte is handed over when it would have finished arriving at the far
// end; bytes that fell due during an oversleep go out together, so the
// average rate stays exact.
bool SerialLine::WritePaced(std::span<const std::uint8_t> bytes) {
  const Clock::time_point start = std::max(Clock::now(), txFree_);
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const Clock::time_point nextDue = start + byteTime_ * static_cast<std::int64_t>(sent + 1);
    if (!SleepUntil(nextDue))
      return false;
    const auto elapsed = Clock::now() - start;
    const std::size_t due =
        std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(elapsed / byteTime_));
    if (!WriteAll(bytes.subspan(sent, due - sent)))
      return false;
    sent = due;
  }
  txFree_ = start + byteTime_ * static_cast<std::int64_t>(bytes.size());
  return true;
}

bool SerialLine::WriteAll(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && errno != EAGAIN)
      return false;
    // The far end is not reading and the pty buffer is full: wait for room,
    // but not for ever.
    pollfd pfd{fd_, POLLOUT, 0};
    if (WaitForDescriptors(&pfd, 1, kWriteStallLimit) <= 0)
      return false;
  }
  return true;
}

std::size_t SerialLine::WriteAvailable(std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    break;  // full (EAGAIN) or broken: the rest waits for the next turn
  }
  return done;
}

void SerialLine::NoteReceived(std::size_t count) {
  if (byteTime_ == Clock::duration::zero())
    return;
  rxStart_ = std::max(Clock::now(), rxFree_);
  rxFree_ = rxStart_ + byteTime_ * static_cast<std::int64_t>(count);
}

bool SerialLine::AwaitReceived(std::size_t index) {
  if (byteTime_ == Clock::duration::zero())
    return true;
  return SleepUntil(rxStart_ + byteTime_ * static_cast<std::int64_t>(index + 1));
}

}  // namespace vardex::sim
