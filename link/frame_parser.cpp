#include "frame_parser.h"

namespace vardex {

void FrameParser::Parse(ReceiveRing& ring, FrameEvents& events) {
  while (!ring.Empty()) {
    const bool went_on = state_ == State::kHunting ? Hunt(ring, events) : Collect(ring, events);
    if (!went_on)
      return;
  }
}

bool FrameParser::HeaderValid(const ReceiveRing& ring) {
  std::uint8_t check = 0;
  for (std::size_t i = 1; i <= 6; ++i) check = static_cast<std::uint8_t>(check + ring.Peek(i));
  return ring.Peek(7) == check;
}

bool FrameParser::Hunt(ReceiveRing& ring, FrameEvents& events) {
  if (ring.Peek(0) != kFrameMarker) {
    ring.Skip(1);
    return true;
  }
  // The marker stays where it is until the whole header has arrived.
  if (ring.Available() < kFrameHeaderSize)
    return false;
  switch (static_cast<FrameCode>(ring.Peek(1))) {
    case FrameCode::kFirmwarePageAck:
      if (!HeaderValid(ring))
        break;
      ring.Skip(kFrameHeaderSize);
      events.OnFirmwarePageAck();
      return true;
    case FrameCode::kEepromPageAck:
      if (!HeaderValid(ring))
        break;
      ring.Skip(kFrameHeaderSize);
      events.OnEepromPageAck();
      return true;
    case FrameCode::kEepromPageData:
      if (!HeaderValid(ring)) {
        events.OnParserLog(kFrameChecksumErrorLine);
        break;
      }
      for (auto& byte : header_) byte = ring.Take();
      data_page_ = static_cast<std::uint16_t>(header_[2] << 8 | header_[3]);
      expected_sum_ = static_cast<std::uint16_t>(header_[4] << 8 | header_[5]);
      state_ = State::kCollecting;
      return true;
    default:
      break;
  }
  ring.Skip(1);  // not a frame we accept: hunt on from the next byte
  return true;
}

bool FrameParser::Collect(ReceiveRing& ring, FrameEvents& events) {
  if (ring.Available() < kPageSize)
    return false;
  for (auto& byte : data_) byte = ring.Take();
  if (PageDataSum(data_) == expected_sum_) {
    events.OnEepromPageData(data_page_, data_);
  } else {
    events.OnParserLog(kPageDataChecksumErrorLine);
  }
  state_ = State::kHunting;
  return true;
}

}  // namespace vardex
