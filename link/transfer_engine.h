#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "config_image.h"
#include "frame_parser.h"
#include "receive_ring.h"
#include "transfer_types.h"

namespace vardex {

// The log line of a read whose image fails its checksum.
inline constexpr std::string_view kReadChecksumErrorLine =
    "Eeprom read checksum error. Please upload new eeprom data to device.";

// What a transfer sends and where it stands: the engine's own image and a
// share of the firmware file being uploaded.
struct TransferData {
  SharedFirmware firmware;
  TransferCounters firmwareCounters;
  ConfigImage writeImage;
  TransferCounters writeCounters;
  TransferCounters readCounters;
};

// The three transfers as chains of pages, each page sent on the device's
// reply to the one before. No time-outs, no retries: a lost reply leaves the
// transfer waiting until the user posts it again.
//
// The engine does no I/O: it is fed the bytes a poll read and the requests
// to start, and hands the frames to send and the events back through the
// TransferOutput of the call. One engine lives as long as the program and
// serves one driver at a time (the ring, the parser and the received image
// outlive a worker).
class TransferEngine {
 public:
  // Copies the image a write sends (a firmware file is shared), resets the
  // counters and sends the first frame; kNone does nothing.
  void Start(const TransferRequest& request, TransferOutput& out);
  // Puts what a poll read into the ring, then lets the parser consume it.
  void Receive(std::span<const std::uint8_t> bytes, TransferOutput& out);

  const ConfigImage& ReceivedImage() const { return receivedImage_; }

 private:
  class Replies;

  void OnFirmwarePageAck(TransferOutput& out);
  void OnEepromPageAck(TransferOutput& out);
  void OnEepromPageData(std::uint16_t page, std::span<const std::uint8_t, kPageSize> data,
                        TransferOutput& out);

  // What differs between the two transfers that send pages.
  struct PageChain {
    TransferCounters& counters;
    void (TransferEngine::*send)(std::uint32_t page, TransferOutput& out);
    const char* sentLine;
  };
  PageChain ChainOf(Operation operation);
  bool& UnfinishedFlag(Operation operation);
  void AdvanceOnAck(Operation operation, TransferOutput& out);

  static void SendPage(FrameCode code, std::span<const std::uint8_t, kPageSize> page,
                       std::uint32_t number, TransferOutput& out);
  void SendFirmwarePage(std::uint32_t page, TransferOutput& out);
  void SendImagePage(std::uint32_t page, TransferOutput& out);
  static void SendReadRequest(std::uint32_t page, TransferOutput& out);
  void Log(const char* format, std::uint32_t page, TransferOutput& out);

  ReceiveRing ring_;
  FrameParser parser_;
  TransferData data_;
  // Which transfers were started and have not ended: only they report
  // progress and outcomes. A stray reply is logged and changes nothing else.
  bool uploadUnfinished_ = false;
  bool writeUnfinished_ = false;
  bool readUnfinished_ = false;
  ConfigImage receivedImage_;
  std::array<char, 80> line_{};
};

}  // namespace vardex
