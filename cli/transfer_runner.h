#pragma once

#include <chrono>
#include <string>

#include "config_image.h"
#include "firmware_buffer.h"
#include "link_session.h"
#include "transfer_types.h"

namespace vardex {

struct TransferSettings {
  std::string portName;  // as the user gave it, for messages
  std::string path;      // the device to open
  std::chrono::milliseconds timeout{kNoReplyTimeout};
  bool progressBar = false;  // a one-line bar on standard error
  bool verbose = false;      // the link's log lines on standard error
};

struct TransferOutcome {
  int exitCode = 0;
  std::string error;  // set when exitCode is not 0
};

// Opens the port and runs the link session on this thread for one transfer.
// The protocol itself has no time-outs; a transfer that gets no reply for
// `timeout` ends here, naming the page it waited for, and nothing more is
// sent (no retries: replies are counted, not matched, so a page sent again
// could be counted twice). A read fills `image` with the verified image.
TransferOutcome RunTransfer(const TransferRequest& request, const TransferSettings& settings,
                            ConfigImage& image);

}  // namespace vardex
