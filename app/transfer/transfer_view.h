#pragma once

class QProgressBar;

namespace vardex {

class StatusLineController;
class TransferController;

// The progress bar and the status line show the controller's one snapshot:
// its range is the page count the engine reports, its value the pages done.
void ShowTransfers(TransferController& transfers, QProgressBar* bar, StatusLineController* status);

}  // namespace vardex
