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

// Receives what the worker produces, on the worker thread, in order. The
// app hands each call over to the window's thread.
class LinkListener {
 public:
  virtual void OnLogLine(std::string_view line) = 0;
  // Pages acknowledged or received so far in `operation`'s transfer.
  virtual void OnProgress(Operation operation, std::uint32_t pages_done) = 0;
  // A read finished and its checksum holds; the listener copies the image
  // before it returns.
  virtual void OnImageVerified(const ConfigImage& image) = 0;
  // The port's reads started failing under an open port (the adapter was
  // unplugged), or work again.
  virtual void OnReadsFailing(bool failing) { (void)failing; }

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
