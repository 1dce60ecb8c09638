#include "frame_parser.h"

namespace vardex {

void FrameParser::Parse(ReceiveRing& ring, FrameEvents& events) {
  while (!ring.Empty()) {
    const bool wentOn = state_ == State::kHunting ? Hunt(ring, events) : Collect(ring, events);
    if (!wentOn)
      return;
  }
}

bool FrameParser::HeaderValid(const ReceiveRing& ring) {
  FrameHeader header{};
  for (std::size_t i = 0; i < kFrameHeaderSize; ++i) header[i] = ring.Peek(i);
  return HeaderCheck(header) == header[kFrameHeaderSize - 1];
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
      if (!HeaderValid(ring)) {
        events.OnDamagedReply(FrameCode::kFirmwarePageAck);
        break;
      }
      ring.Skip(kFrameHeaderSize);
      events.OnFirmwarePageAck();
      return true;
    case FrameCode::kEepromPageAck:
      if (!HeaderValid(ring)) {
        events.OnDamagedReply(FrameCode::kEepromPageAck);
        break;
      }
      ring.Skip(kFrameHeaderSize);
      events.OnEepromPageAck();
      return true;
    case FrameCode::kEepromPageData:
      if (!HeaderValid(ring)) {
        events.OnParserLog(kFrameChecksumErrorLine);
        events.OnDamagedReply(FrameCode::kEepromPageData);
        break;
      }
      for (auto& byte : header_) byte = ring.Take();
      dataPage_ = static_cast<std::uint16_t>(header_[2] << 8 | header_[3]);
      expectedSum_ = static_cast<std::uint16_t>(header_[4] << 8 | header_[5]);
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
  if (PageDataSum(data_) == expectedSum_) {
    events.OnEepromPageData(dataPage_, data_);
  } else {
    events.OnParserLog(kPageDataChecksumErrorLine);
    events.OnDamagedReply(FrameCode::kEepromPageData);
  }
  state_ = State::kHunting;
  return true;
}

}  // namespace vardex
