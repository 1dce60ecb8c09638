#include "transfer_view.h"

#include <QProgressBar>

#include "status_line.h"
#include "transfer_controller.h"

namespace vardex {

void ShowTransfers(TransferController& transfers, QProgressBar* bar, StatusLineController* status) {
  using Snapshot = TransferController::Snapshot;
  QObject::connect(&transfers, &TransferController::Posted, bar,
                   [bar, status](const Snapshot& snapshot) {
                     // Position 0, then the range, in that order.
                     bar->setValue(0);
                     bar->setMinimum(0);
                     bar->setMaximum(static_cast<int>(snapshot.pageCount));
                     bar->setTextVisible(true);
                     status->Posted(snapshot.operation, snapshot.pageCount);
                   });
  QObject::connect(&transfers, &TransferController::Changed, bar,
                   [bar, status](const Snapshot& snapshot) {
                     bar->setMaximum(static_cast<int>(snapshot.pageCount));
                     bar->setValue(static_cast<int>(snapshot.pagesDone));
                     status->Progress(snapshot.pagesDone, snapshot.attempt, snapshot.attempts);
                   });
  QObject::connect(&transfers, &TransferController::Note, status, &StatusLineController::Note);
}

}  // namespace vardex
