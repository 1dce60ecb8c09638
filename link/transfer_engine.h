#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "config_image.h"
#include "frame_parser.h"
#include "receive_ring.h"
#include "transfer_mailbox.h"
#include "transfer_types.h"

namespace vardex {

// The three transfers as chains of pages, each page sent on the device's
// reply to the one before. No time-outs, no retries: a lost reply leaves the
// transfer waiting until the user posts it again.
//
// The engine does no I/O: it is fed the bytes a poll read and the request the
// worker took, and hands the frames to send and the events back through the
// TransferOutput of the call. One engine lives as long as the program and
// serves one worker at a time (the ring, the parser and the received image
// outlive a worker).
class TransferEngine {
 public:
  // Where the worker copies a taken request's data before Start().
  TransferData& Outgoing() { return data_; }
  // Starts `operation` from the data in Outgoing(); kNone does nothing.
  void Start(Operation operation, TransferOutput& out);
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
  void AdvanceOnAck(Operation operation, TransferOutput& out);

  static void SendPage(FrameCode code, std::span<const std::uint8_t, kPageSize> page,
                       std::uint32_t number, TransferOutput& out);
  void SendFirmwarePage(std::uint32_t page, TransferOutput& out);
  void SendImagePage(std::uint32_t page, TransferOutput& out);
  static void SendReadRequest(std::uint32_t page, TransferOutput& out);
  void Log(const char* format, std::uint32_t page, TransferOutput& out);

  ReceiveRing ring_;
  FrameParser parser_;
  TransferData data_;  // the worker's own copies of what it sends
  bool readRunning_ = false;
  ConfigImage receivedImage_;
  std::array<char, 80> line_{};
};

}  // namespace vardex
