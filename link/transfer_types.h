#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "config_image.h"

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
};

// Receives what the worker produces, on the worker thread, in order. The
// app hands each call over to the window's thread. A call may wait (the
// window is behind); it returns once the worker has been told to end.
class LinkListener {
 public:
  virtual void OnLogLine(std::string_view line) = 0;
  // When a transfer starts (0 pages done) and on every reply that moves it.
  virtual void OnProgress(const TransferProgress& progress) = 0;
  // A read finished and its checksum holds; the listener copies the image
  // before it returns.
  virtual void OnImageVerified(const ConfigImage& image) = 0;
  // The open port failed a read (an adapter unplugged, a device gone); once
  // per spell of failing reads.
  virtual void OnPortError(std::string_view error) = 0;

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
