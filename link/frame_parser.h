#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "frame_header.h"
#include "receive_ring.h"

namespace vardex {

// What the parser reports; the transfer engine implements it.
class FrameEvents {
 public:
  virtual void OnFirmwarePageAck() = 0;
  virtual void OnEepromPageAck() = 0;
  // A data page whose 128 bytes matched the header's sum. `page` is the number
  // the header carried, whatever was requested.
  virtual void OnEepromPageData(std::uint16_t page,
                                std::span<const std::uint8_t, kPageSize> data) = 0;
  virtual void OnParserLog(std::string_view line) = 0;
  // A reply that began but was rejected: an acknowledgement (`code` 0x41 or
  // 0x81) or a data header (0x91) with a wrong check byte, or data (0x91)
  // whose sum differs from its header's. Reported after its log line, if any.
  virtual void OnDamagedReply(FrameCode code) { (void)code; }

 protected:
  ~FrameEvents() = default;
};

inline constexpr std::string_view kFrameChecksumErrorLine = "Eeprom frame checksum error.";
inline constexpr std::string_view kPageDataChecksumErrorLine = "Eeprom page data checksum error.";

// Consumes the device's replies from the ring. It never waits: an incomplete
// header or data block stays in the ring until the next call. Its state
// survives ring resets (a parser that is collecting takes the next 128 bytes).
class FrameParser {
 public:
  void Parse(ReceiveRing& ring, FrameEvents& events);
  bool Collecting() const { return state_ == State::kCollecting; }
  // Back to hunting, forgetting a half-collected data reply: used only when
  // the engine discards what arrived before it asks the device again.
  void Reset() { state_ = State::kHunting; }

 private:
  enum class State { kHunting, kCollecting };
  // Returns false when it must wait for more bytes.
  bool Hunt(ReceiveRing& ring, FrameEvents& events);
  bool Collect(ReceiveRing& ring, FrameEvents& events);
  static bool HeaderValid(const ReceiveRing& ring);

  State state_ = State::kHunting;
  std::uint16_t expectedSum_ = 0;
  std::uint16_t dataPage_ = 0;
  FrameHeader header_{};
  std::array<std::uint8_t, kPageSize> data_{};
};

}  // namespace vardex
