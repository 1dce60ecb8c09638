#include "flood.h"

#include <algorithm>

#include "frame_format.h"

namespace vardex::sim {
namespace {

using std::chrono::microseconds;

std::size_t FrameSizeOf(FloodKind kind) {
  return kind == FloodKind::kData ? kFrameWithPageSize : kHeaderSize;
}

}  // namespace

Flood::Flood(const SimOptions& options, const DeviceMemory& memory, SerialLine& line,
             const EventLog& log)
    : options_(options),
      memory_(memory),
      line_(line),
      log_(log),
      frameSize_(FrameSizeOf(options.flood)) {}

void Flood::NoteReplies(std::uint32_t replies, Clock::time_point now) {
  if (!started_ && options_.flood != FloodKind::kNone && replies >= options_.floodAfter)
    Start(now);
}

void Flood::Start(Clock::time_point now) {
  started_ = running_ = true;
  start_ = now;
  if (options_.floodForMs > 0)
    end_ = now + std::chrono::milliseconds(options_.floodForMs);
  log_.Line("flood of %zu-byte frames starts at %d bytes/s", frameSize_, options_.floodRate);
}

void Flood::PutFrame(std::uint8_t* out) {
  if (options_.flood != FloodKind::kData) {
    const std::uint8_t code = options_.flood == FloodKind::kAck ? kEepromPageAck : kFirmwarePageAck;
    const Header header = MakeHeader(code, 0, 0);
    std::copy(header.begin(), header.end(), out);
    return;
  }
  const auto data = memory_.ImagePage(page_);
  const Header header = MakeHeader(kEepromPageData, page_, PageSum(data));
  std::copy(header.begin(), header.end(), out);
  std::copy(data.begin(), data.end(), out + kHeaderSize);
  page_ = static_cast<std::uint16_t>((page_ + 1) % kImagePages);
}

void Flood::Pump(Clock::time_point now) {
  if (head_ < tail_) {
    const std::size_t n =
        line_.WriteAvailable(std::span<const std::uint8_t>(buffer_).subspan(head_, tail_ - head_));
    head_ += n;
    if (head_ < tail_)
      return;  // still full: nothing new until the old bytes are out
  }
  head_ = tail_ = 0;
  if (!running_)
    return;

  // Bytes due by now (or by the end), counted from the start, so the average
  // rate holds whatever the wake-up times.
  const Clock::time_point until = std::min(now, end_);
  const auto elapsed = std::chrono::duration_cast<microseconds>(until - start_).count();
  const std::uint64_t due = static_cast<std::uint64_t>(elapsed) *
                            static_cast<std::uint64_t>(options_.floodRate) / 1'000'000;
  if (due > scheduled_ + kBurst)
    scheduled_ = due - kBurst;
  const std::size_t frames = static_cast<std::size_t>(
      std::min<std::uint64_t>((due - scheduled_) / frameSize_, kBurst / frameSize_));
  for (std::size_t i = 0; i < frames; ++i) PutFrame(buffer_.data() + i * frameSize_);
  tail_ = frames * frameSize_;
  scheduled_ += tail_;
  const std::size_t n = line_.WriteAvailable(std::span<const std::uint8_t>(buffer_).first(tail_));
  head_ = n;

  if (until == end_) {
    running_ = false;
    log_.Line("flood ends, %llu bytes scheduled", static_cast<unsigned long long>(scheduled_));
  }
}

bool Flood::FinishFrame() {
  if (head_ == tail_)
    return true;
  const std::size_t rest = (frameSize_ - head_ % frameSize_) % frameSize_;
  if (rest == 0)
    return true;
  if (!line_.WriteAll(std::span<const std::uint8_t>(buffer_).subspan(head_, rest)))
    return false;
  head_ += rest;
  return true;
}

Clock::time_point Flood::NextDue(Clock::time_point now) const {
  if (Stalled())
    return now + std::chrono::milliseconds(1);
  if (!running_)
    return Clock::time_point::max();
  const std::uint64_t next = scheduled_ + frameSize_;
  const auto rate = static_cast<std::uint64_t>(options_.floodRate);
  const Clock::time_point due =
      start_ + microseconds(static_cast<std::int64_t>((next * 1'000'000 + rate - 1) / rate));
  return std::min(due, end_);
}

}  // namespace vardex::sim
