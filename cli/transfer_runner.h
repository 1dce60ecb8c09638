#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "config_image.h"
#include "firmware_buffer.h"
#include "link_session.h"
#include "transfer_sequence.h"
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

// Saves a backup read before an upload; false with `error` set when it fails.
using BackupSaver = std::function<bool(const ConfigImage& image, std::string& error)>;

// Opens the port once and runs the link session on this thread for every
// transfer of `sequence` until it ends; the caller words how it ended
// (sequence.Ended()). A lost or damaged reply is asked for again by the
// link, a few times per page; a transfer that gets no reply for `timeout`
// ends here with exit code 3, naming the page it waited for, and nothing
// more is sent.
TransferOutcome RunSequence(TransferSequence& sequence, const TransferSettings& settings,
                            const BackupSaver& saveBackup = {});

}  // namespace vardex
