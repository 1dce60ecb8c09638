#pragma once

namespace vardex {

// The program's exit status, one value per kind of outcome.
enum ExitCode : int {
  kExitDone = 0,
  kExitUsage = 1,
  // diff: the images differ, as diff and cmp say it.
  kExitDiffer = 1,
  // A bad file or a failed rule: the message is printed, nothing is sent.
  kExitBadFile = 2,
  // The port or the device failed: the reason is printed.
  kExitDevice = 3,
  // check --strict: every rule holds, but the station check has notes.
  kExitNotes = 4,
};

}  // namespace vardex
