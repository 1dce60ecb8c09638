#include "request_parser.h"

#include <algorithm>

namespace vardex::sim {
namespace {

bool CarriesPage(std::uint8_t code) {
  return code == kFirmwarePage || code == kEepromPage;
}

bool IsCommand(std::uint8_t code) {
  return CarriesPage(code) || code == kEepromReadRequest;
}

}  // namespace

std::optional<Request> RequestParser::Push(std::uint8_t byte) {
  if (filled_ == 0 && byte != kMarker)
    return std::nullopt;  // hunting
  frame_[filled_++] = byte;
  if (filled_ == kHeaderSize)
    return OnHeaderComplete();
  if (filled_ == kFrameWithPageSize)
    return OnPageComplete();
  return std::nullopt;
}

std::optional<Request> RequestParser::OnHeaderComplete() {
  const std::uint8_t code = frame_[1];
  if (!IsCommand(code) || HeaderCheck(frame_) != frame_[7]) {
    ++rejectedHeaders_;
    Rescan();
    return std::nullopt;
  }
  if (CarriesPage(code))
    return std::nullopt;  // wait for the page
  filled_ = 0;
  return Request{code, static_cast<std::uint16_t>(frame_[2] << 8 | frame_[3]), {}};
}

std::optional<Request> RequestParser::OnPageComplete() {
  filled_ = 0;
  const std::span<const std::uint8_t> page(frame_.data() + kHeaderSize, kPageSize);
  const std::uint16_t expected = static_cast<std::uint16_t>(frame_[4] << 8 | frame_[5]);
  if (PageSum(page) != expected) {
    ++rejectedPages_;
    return std::nullopt;
  }
  return Request{frame_[1], static_cast<std::uint16_t>(frame_[2] << 8 | frame_[3]), page};
}

// Drops the marker of a rejected header and hunts again through the seven
// bytes behind it; another marker among them may start the real frame. Seven
// bytes can never complete a header, so nothing is emitted here.
void RequestParser::Rescan() {
  std::array<std::uint8_t, kHeaderSize - 1> rest{};
  std::copy(frame_.begin() + 1, frame_.begin() + kHeaderSize, rest.begin());
  filled_ = 0;
  for (std::uint8_t b : rest) Push(b);
}

}  // namespace vardex::sim
