#include "trace_secrets.h"

#include <algorithm>
#include <array>

#include "config_image.h"
#include "frame_header.h"
#include "secret_fields.h"

namespace vardex {
namespace {

const std::array<bool, ConfigImage::kSize>& SecretImageOffsets() {
  static const std::array<bool, ConfigImage::kSize> secret = [] {
    std::array<bool, ConfigImage::kSize> offsets{};
    for (const ImageField& field : ImageFields()) {
      if (IsSecretField(field))
        std::fill_n(offsets.begin() + static_cast<std::ptrdiff_t>(field.offset), field.width, true);
    }
    return offsets;
  }();
  return secret;
}

// The length of the frame whose header starts at `at` (8, or 136 with its
// page), or 0 when none starts there.
std::size_t FrameAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (bytes.size() - at < kFrameHeaderSize || bytes[at] != kFrameMarker)
    return 0;
  const auto header = bytes.subspan(at).first<kFrameHeaderSize>();
  if (HeaderCheck(header) != header[7])
    return 0;
  switch (static_cast<FrameCode>(header[1])) {
    case FrameCode::kFirmwarePage:
    case FrameCode::kEepromPage:
    case FrameCode::kEepromPageData:
      return kFrameHeaderSize + kPageSize;
    case FrameCode::kFirmwarePageAck:
    case FrameCode::kEepromPageAck:
    case FrameCode::kEepromReadRequest:
      return kFrameHeaderSize;
  }
  return 0;
}

}  // namespace

std::vector<bool> SecretTraceBytes(std::span<const std::uint8_t> bytes, bool startCut) {
  std::vector<bool> hidden(bytes.size(), false);
  const auto& secret = SecretImageOffsets();
  bool frameSeen = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = FrameAt(bytes, at);
    if (length == 0) {
      if (startCut && !frameSeen && at < kPageSize)
        hidden[at] = true;
      ++at;
      continue;
    }
    frameSeen = true;
    const auto code = static_cast<FrameCode>(bytes[at + 1]);
    const std::size_t page = (bytes[at + 2] << 8) | bytes[at + 3];
    const bool imagePage = code == FrameCode::kEepromPage || code == FrameCode::kEepromPageData;
    // A page cut short by the end of the trace is hidden as far as it goes.
    for (std::size_t i = 0; imagePage && i < kPageSize; ++i) {
      const std::size_t where = at + kFrameHeaderSize + i;
      const std::size_t offset = page * kPageSize + i;
      if (where < bytes.size() && (offset >= secret.size() || secret[offset]))
        hidden[where] = true;
    }
    at += length;
  }
  return hidden;
}

std::string TraceTextWithoutSecrets(const FrameTrace& trace) {
  return trace.Text(SecretTraceBytes);
}

}  // namespace vardex
