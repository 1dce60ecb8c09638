#pragma once

#include <chrono>
#include <string>

#include "config_image.h"
#include "firmware_buffer.h"

namespace vardex {

enum class TransferKind { kRead, kWrite, kFlash };

struct TransferSettings {
  std::string portName;  // as the user gave it, for messages
  std::string path;      // the device to open
  std::chrono::milliseconds timeout{3000};
  bool progressBar = false;  // a one-line bar on standard error
  bool verbose = false;      // the link's log lines on standard error
};

struct TransferOutcome {
  int exitCode = 0;
  std::string error;  // set when exitCode is not 0
};

// Opens the port and runs one transfer on this thread through the link's
// transfer engine. The protocol itself has no time-outs; a transfer that
// gets no reply for `timeout` ends here, naming the page it waited for, and
// nothing more is sent (no retries: replies are counted, not matched, so a
// page sent again could be counted twice).
// kRead fills `image` with a verified image; kWrite sends `image`; kFlash
// sends `firmware`.
TransferOutcome RunTransfer(TransferKind kind, const TransferSettings& settings, ConfigImage& image,
                            const FirmwareBuffer* firmware);

}  // namespace vardex
