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
  const std::size_t length = ViewAt(0).length;
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

FrameTrace::RecordView FrameTrace::ViewAt(std::size_t offset) const {
  const std::size_t at = start_ + offset;
  return {static_cast<Kind>(At(at)),
          At(at + 1) | (At(at + 2) << 8) | (At(at + 3) << 16) |
              (static_cast<std::uint32_t>(At(at + 4)) << 24),
          static_cast<std::size_t>(At(at + 5) | (At(at + 6) << 8)), at + kRecordHead};
}

std::string FrameTrace::Text(const Hidden& hidden) const {
  std::lock_guard lock(mutex_);
  // Each direction's bytes in a row, for `hidden` to look at frames that
  // span records.
  std::vector<std::uint8_t> sent;
  std::vector<std::uint8_t> received;
  for (std::size_t offset = 0; offset < used_;) {
    const RecordView record = ViewAt(offset);
    std::vector<std::uint8_t>* stream = record.kind == Kind::kSent       ? &sent
                                        : record.kind == Kind::kReceived ? &received
                                                                         : nullptr;
    for (std::size_t i = 0; stream != nullptr && i < record.length; ++i)
      stream->push_back(At(record.data + i));
    offset += kRecordHead + record.length;
  }
  const bool startCut = usage_.droppedRecords > 0;
  const std::vector<bool> hideSent = hidden ? hidden(sent, startCut) : std::vector<bool>();
  const std::vector<bool> hideReceived = hidden ? hidden(received, startCut) : std::vector<bool>();
  std::size_t sentAt = 0;
  std::size_t receivedAt = 0;

  std::string text =
      "# Serial port trace: ms since the trace began, tx to the device, rx from it, -- the port\n";
  char line[160];
  std::snprintf(line, sizeof line,
                "# %zu bytes in %zu records dropped, the oldest first; %zu bytes kept in a ring "
                "of %zu\n",
                usage_.droppedBytes, usage_.droppedRecords, usage_.keptBytes, ring_.size());
  text += line;
  for (std::size_t offset = 0; offset < used_;) {
    const RecordView record = ViewAt(offset);
    std::snprintf(line, sizeof line, "%8lu %s", static_cast<unsigned long>(record.time),
                  KindWord(record.kind));
    text += line;
    if (record.kind == Kind::kNote)
      text += ' ';
    for (std::size_t i = 0; i < record.length; ++i) {
      const std::uint8_t byte = At(record.data + i);
      if (record.kind == Kind::kNote) {
        text += static_cast<char>(byte >= 0x20 && byte < 0x7F ? byte : '?');
        continue;
      }
      const std::vector<bool>& hide = record.kind == Kind::kSent ? hideSent : hideReceived;
      std::size_t& at = record.kind == Kind::kSent ? sentAt : receivedAt;
      if (at < hide.size() && hide[at]) {
        text += " **";
      } else {
        std::snprintf(line, sizeof line, " %02X", byte);
        text += line;
      }
      ++at;
    }
    text += '\n';
    offset += kRecordHead + record.length;
  }
  return text;
}

}  // namespace vardex
