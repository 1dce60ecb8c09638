#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>

#include "config_image.h"
#include "firmware_buffer.h"

namespace vardex {

// The values of the one-byte request mailbox.
enum class Operation : std::uint8_t {
  kNone = 0,
  kFirmwareUpload = 1,
  kConfigWrite = 2,
  kConfigRead = 3,
};

// One transfer's position: it starts at page 0 and ends after lastPage.
struct TransferCounters {
  std::uint32_t lastPage = 0;
  std::uint32_t currentPage = 0;
};

// Where a transfer stands.
struct TransferProgress {
  Operation operation = Operation::kNone;
  std::uint32_t pagesDone = 0;  // acknowledged or received so far
  std::uint32_t pageCount = 0;  // pages the whole transfer sends or reads
  // The try of the page waited for: 1 for its first sending, more once the
  // device has been asked again (a lost or damaged reply).
  std::uint32_t attempt = 1;
  std::uint32_t attempts = 1;  // the most tries one page gets
  // Pages sent or requested again so far in this transfer.
  std::uint32_t askedAgain = 0;
};

// How the engine asks again when a reply is lost or damaged. A page exchange
// takes 12.5 ms at 115200 baud, so a reply that has not begun within the
// time-out is not coming. Asking again is safe because every request names
// its page: page p sent twice with the same bytes changes nothing on the
// device that the first sending did not.
struct RetryPolicy {
  // No reply begun within this long: the page is asked for again.
  std::chrono::milliseconds replyTimeout{400};
  // Before asking again, the line must have been quiet this long; what
  // arrives meanwhile is discarded, so that a late reply is not taken for
  // the answer to the next try.
  std::chrono::milliseconds quiet{30};
  // Sendings of one page, the first included; 1 never asks again.
  std::uint32_t tries = 3;

  // The link as first designed: a lost reply leaves the transfer waiting.
  static RetryPolicy Never() { return {{}, {}, 1}; }
};

// A configuration image on its way to or from the device: copied once into
// its own buffer (from the image a write was built in, or from the pages a
// read collected), never changed again, and handed on by reference from the
// window or `vardex` through the link, or back, as a firmware file is.
using SharedConfigImage = std::shared_ptr<const ConfigImage>;

// What to start, whole: the operation with the data it sends. It travels as
// one value from whoever asks for it to the engine; the data is shared, never
// copied, so the caller may build a new image or load a new file at once.
struct TransferRequest {
  Operation operation = Operation::kNone;
  SharedConfigImage image;  // a config write's image
  SharedFirmware firmware;  // a firmware upload's file

  static TransferRequest Read() { return {Operation::kConfigRead, nullptr, nullptr}; }
  static TransferRequest Write(SharedConfigImage image) {
    return {Operation::kConfigWrite, std::move(image), nullptr};
  }
  static TransferRequest Upload(SharedFirmware firmware) {
    return {Operation::kFirmwareUpload, nullptr, std::move(firmware)};
  }
  // The pages the transfer sends or reads; an empty firmware file still
  // sends page 0.
  std::uint32_t PageCount() const {
    if (operation == Operation::kFirmwareUpload)
      return firmware ? firmware->LastPageIndex() + 1 : 0;
    return operation == Operation::kNone ? 0 : static_cast<std::uint32_t>(ConfigImage::kPageCount);
  }
};

// How a transfer, or the port under it, ended or stalled. Callers act on
// these; the log lines only show them.
struct LinkOutcome {
  enum class Kind : std::uint8_t {
    kFinished,            // every page acknowledged, or a read verified
    kReadChecksumFailed,  // all pages read, but the image's checksum fails
    kNoReply,             // nothing heard for the session's deadline
    kPortFailed,          // the open port stopped delivering reads
  };
  Kind kind = Kind::kFinished;
  Operation operation = Operation::kNone;
  std::uint32_t page = 0;                // kNoReply: the page waited for, counted from 1
  std::uint32_t pageCount = 0;           // pages of the whole transfer
  std::chrono::milliseconds silence{0};  // kNoReply: how long nothing came
  std::string_view reason;               // kPortFailed: the port's own words
  // The image a read collected: verified when finished, as it arrived when
  // its checksum failed (so that a verify can still name the difference).
  SharedConfigImage image;

  static LinkOutcome Of(Kind kind, Operation operation, std::uint32_t page,
                        std::uint32_t pageCount) {
    LinkOutcome outcome;
    outcome.kind = kind;
    outcome.operation = operation;
    outcome.page = page;
    outcome.pageCount = pageCount;
    return outcome;
  }
};

// Receives what the link produces, on the thread that drives it, in order.
// The window hands each call over to its own thread. A call may wait (the
// window is behind); it returns once the worker has been told to end.
class LinkListener {
 public:
  virtual void OnLogLine(std::string_view line) = 0;
  // When a transfer starts (0 pages done) and on every reply that moves it.
  virtual void OnProgress(const TransferProgress& progress) = 0;
  // An outcome; a read's image is shared, and may be kept.
  virtual void OnOutcome(const LinkOutcome& outcome) = 0;

 protected:
  ~LinkListener() = default;
};

// Everything the transfer engine produces: the bytes for the device and the
// events for the window. The worker sends the bytes on its port.
class TransferOutput : public LinkListener {
 public:
  virtual void Send(std::span<const std::uint8_t> bytes) = 0;

 protected:
  ~TransferOutput() = default;
};

}  // namespace vardex
