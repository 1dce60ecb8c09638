#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>

#include "config_image.h"
#include "frame_parser.h"
#include "receive_ring.h"
#include "serial_port.h"
#include "transfer_mailbox.h"
#include "transfer_types.h"

namespace vardex {

// The three transfers as chains of pages, each page sent on the device's
// reply to the one before. No time-outs, no retries: a lost reply leaves the
// transfer waiting until the user posts it again. Runs on the worker thread;
// one engine lives as long as the program and serves one worker at a time.
class TransferEngine final : private FrameEvents {
 public:
  TransferEngine(TransferMailbox& mailbox, LinkListener& listener);

  // The port that the worker now owns, or nullptr when none.
  void Attach(SerialPort* port) { port_ = port; }
  // Puts what a poll read into the ring, then lets the parser consume it.
  void Receive(std::span<const std::uint8_t> bytes);
  // Starts the posted transfer, if any, unless `closing` is set.
  void TakePendingOperation(const std::atomic<bool>* closing = nullptr);

  const ReceiveRing& ring() const { return ring_; }
  const ConfigImage& received_image() const { return received_image_; }

 private:
  void OnFirmwarePageAck() override;
  void OnEepromPageAck() override;
  void OnEepromPageData(std::uint16_t page, std::span<const std::uint8_t, kPageSize> data) override;
  void OnParserLog(std::string_view line) override;

  // What differs between the two transfers that send pages.
  struct PageChain {
    TransferCounters& counters;
    void (TransferEngine::*send)(std::uint32_t page);
    const char* sent_line;
  };
  PageChain ChainOf(Operation operation);
  void AdvanceOnAck(Operation operation);

  void SendPage(FrameCode code, std::span<const std::uint8_t, kPageSize> page,
                std::uint32_t number);
  void SendFirmwarePage(std::uint32_t page);
  void SendImagePage(std::uint32_t page);
  void SendReadRequest(std::uint32_t page);
  void Write(std::span<const std::uint8_t> bytes);
  void Log(const char* format, std::uint32_t page);
  void Log(std::string_view line) { listener_.OnLogLine(line); }

  TransferMailbox& mailbox_;
  LinkListener& listener_;
  SerialPort* port_ = nullptr;
  ReceiveRing ring_;
  FrameParser parser_;
  TransferData data_;  // the worker's own copies of what it sends
  bool read_running_ = false;
  ConfigImage received_image_;
  std::array<char, 80> line_{};
};

}  // namespace vardex
