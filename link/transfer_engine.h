#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

#include "config_image.h"
#include "frame_parser.h"
#include "receive_ring.h"
#include "reply_watch.h"
#include "transfer_types.h"

namespace vardex {

// The log line of a read whose image fails its checksum.
inline constexpr std::string_view kReadChecksumErrorLine =
    "Eeprom read checksum error. Please upload new eeprom data to device.";

// What a transfer sends and where it stands: shares of the image being
// written and of the firmware file being uploaded.
struct TransferData {
  SharedFirmware firmware;
  TransferCounters firmwareCounters;
  SharedConfigImage writeImage;
  TransferCounters writeCounters;
  TransferCounters readCounters;
};

// The line "No reply to page 5, asking again (2 of 3)." and its kin.
inline constexpr const char* kAskingAgainFormat = "%s reply to page %u, asking again (%u of %u).";

// The three transfers as chains of pages, each page sent on the device's
// reply to the one before. A reply that does not come, or comes damaged, is
// asked for again within the retry policy's bounds (ReplyWatch); when the
// tries are used up the transfer waits until a reply comes or the user
// posts it again.
//
// The engine does no I/O and has no clock: it is fed the bytes a poll read,
// the requests to start and the time, and hands the frames to send and the
// events back through the TransferOutput of the call. One engine lives as
// long as the program and serves one driver at a time (the ring, the parser
// and the received image outlive a worker).
class TransferEngine {
 public:
  using Time = ReplyWatch::Time;

  explicit TransferEngine(RetryPolicy policy = {}) : watch_(policy) {}

  // Keeps a share of what the request sends, resets the counters and sends
  // the first frame; kNone, or a write or upload without its data, does
  // nothing.
  void Start(const TransferRequest& request, Time now, TransferOutput& out);
  // Puts what a poll read into the ring, then lets the parser consume it.
  // While the engine waits for a quiet line before asking again, the bytes
  // are discarded instead.
  void Receive(std::span<const std::uint8_t> bytes, Time now, TransferOutput& out);
  // Every byte that arrived by `now` has been received: asks again for a
  // reply that is overdue, and sends what waited for a quiet line.
  void Tick(Time now, TransferOutput& out);
  // When Tick() may next have something to do; Time::max() for never.
  Time NextTick() const { return watch_.NextCheck(); }

  const ConfigImage& ReceivedImage() const { return receivedImage_; }

 private:
  class Replies;

  void OnFirmwarePageAck(TransferOutput& out);
  void OnEepromPageAck(TransferOutput& out);
  void OnEepromPageData(std::uint16_t page, std::span<const std::uint8_t, kPageSize> data,
                        TransferOutput& out);
  void OnDamagedReply(FrameCode code);

  // What differs between the two transfers that send pages.
  struct PageChain {
    TransferCounters& counters;
    void (TransferEngine::*send)(std::uint32_t page, TransferOutput& out);
    const char* sentLine;
  };
  PageChain ChainOf(Operation operation);
  bool& UnfinishedFlag(Operation operation);
  void AdvanceOnAck(Operation operation, TransferOutput& out);
  // Sends the current page of `operation` (first, next or again), logs it
  // and reports where the transfer stands.
  void SendCurrent(Operation operation, TransferOutput& out);
  void SendAgain(ReplyWatch::Reason reason, TransferOutput& out);
  TransferCounters& CountersOf(Operation operation);
  void ReportProgress(Operation operation, std::uint32_t pagesDone, TransferOutput& out);
  // After a reply made the watch discard: nothing half-read survives.
  void DiscardIfQuieting();

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
  ReplyWatch watch_;
  Time now_{};  // of the call being served
  ConfigImage receivedImage_;
  std::array<char, 80> line_{};
};

}  // namespace vardex
