#include "frame_trace.h"

#include <algorithm>
#include <cstdio>

namespace vardex {
namespace {

FrameTrace::Milliseconds SteadySinceNow() {
  const auto began = std::chrono::steady_clock::now();
  return [began] {
    const auto elapsed = std::chrono::steady_clock::now() - began;
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
  };
}

const char* KindWord(FrameTrace::Kind kind) {
  switch (kind) {
    case FrameTrace::Kind::kSent:
      return "tx";
    case FrameTrace::Kind::kReceived:
      return "rx";
    case FrameTrace::Kind::kNote:
      break;
  }
  return "--";
}

}  // namespace

FrameTrace::FrameTrace(std::size_t capacity, Milliseconds now)
    : now_(now ? std::move(now) : SteadySinceNow()),
      ring_(std::max(capacity, kRecordHead + kLongestRecord)) {}

void FrameTrace::Record(Kind kind, std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  const std::uint32_t time = now_();
  while (!bytes.empty()) {
    const std::size_t piece = std::min(bytes.size(), kLongestRecord);
    Append(kind, time, bytes.first(piece));
    bytes = bytes.subspan(piece);
  }
}

void FrameTrace::Note(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  Record(Kind::kNote, {bytes, std::min(text.size(), kLongestRecord)});
}

void FrameTrace::Append(Kind kind, std::uint32_t time, std::span<const std::uint8_t> bytes) {
  const std::size_t size = kRecordHead + bytes.size();
  while (ring_.size() - used_ < size) DropOldest();
  const std::uint8_t head[kRecordHead] = {static_cast<std::uint8_t>(kind),
                                          static_cast<std::uint8_t>(time),
                                          static_cast<std::uint8_t>(time >> 8),
                                          static_cast<std::uint8_t>(time >> 16),
                                          static_cast<std::uint8_t>(time >> 24),
                                          static_cast<std::uint8_t>(bytes.size()),
                                          static_cast<std::uint8_t>(bytes.size() >> 8)};
  std::size_t at = start_ + used_;
  for (const std::uint8_t byte : head) ring_[at++ % ring_.size()] = byte;
  for (const std::uint8_t byte : bytes) ring_[at++ % ring_.size()] = byte;
  used_ += size;
  usage_.keptBytes += bytes.size();
}

void FrameTrace::DropOldest() {
  const std::size_t length = At(start_ + 5) | (At(start_ + 6) << 8);
  start_ = (start_ + kRecordHead + length) % ring_.size();
  used_ -= kRecordHead + length;
  usage_.keptBytes -= length;
  usage_.droppedBytes += length;
  ++usage_.droppedRecords;
}

FrameTrace::Usage FrameTrace::CurrentUsage() const {
  std::lock_guard lock(mutex_);
  return usage_;
}

std::string FrameTrace::Text() const {
  std::lock_guard lock(mutex_);
  std::string text =
      "# Serial port trace: ms since the trace began, tx to the device, rx from it, -- the port\n";
  char line[160];
  std::snprintf(
      line, sizeof line,
      "# %zu bytes in %zu records dropped, the oldest first; %zu bytes kept in a ring of %zu\n",
      usage_.droppedBytes, usage_.droppedRecords, usage_.keptBytes, ring_.size());
  text += line;
  for (std::size_t offset = 0; offset < used_;) {
    const std::size_t at = start_ + offset;
    const auto kind = static_cast<Kind>(At(at));
    const std::uint32_t time = At(at + 1) | (At(at + 2) << 8) | (At(at + 3) << 16) |
                               (static_cast<std::uint32_t>(At(at + 4)) << 24);
    const std::size_t length = At(at + 5) | (At(at + 6) << 8);
    std::snprintf(line, sizeof line, "%8lu %s", static_cast<unsigned long>(time), KindWord(kind));
    text += line;
    for (std::size_t i = 0; i < length; ++i) {
      const std::uint8_t byte = At(at + kRecordHead + i);
      if (kind == Kind::kNote) {
        text += i == 0 ? " " : "";
        text += static_cast<char>(byte >= 0x20 && byte < 0x7F ? byte : '?');
      } else {
        std::snprintf(line, sizeof line, " %02X", byte);
        text += line;
      }
    }
    text += '\n';
    offset += kRecordHead + length;
  }
  return text;
}

}  // namespace vardex
