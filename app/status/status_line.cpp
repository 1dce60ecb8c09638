#include "status_line.h"

#include <QLabel>
#include <utility>

#include "device_link.h"

namespace vardex {

StatusLineController::StatusLineController(QLabel* label, DeviceLink* link, QObject* parent)
    : QObject(parent), label_(label), link_(link) {
  connect(link_, &DeviceLink::RequestDropped, this,
          [this](Operation operation, const QString& meantFor, const QString& opened) {
            status_.RequestDropped();
            droppedNote_ = QStringLiteral("%1 was meant for %2 and was dropped: %3 was opened.")
                               .arg(LinkStatus::OperationName(operation), meantFor, opened);
          });
  connect(link_, &DeviceLink::ImageReceived, this, [this] {
    status_.ImageShown();
    Show();
  });
  connect(link_, &DeviceLink::Outcome, this, &StatusLineController::OnOutcome);
  Show();
}

void StatusLineController::OnOutcome(const LinkOutcome& outcome) {
  switch (outcome.kind) {
    case LinkOutcome::Kind::kReadChecksumFailed:
      status_.ImageChecksumFailed();
      break;
    case LinkOutcome::Kind::kNoReply:
      if (outcome.operation != status_.RunningOperation())
        return;
      status_.NoReply();
      break;
    case LinkOutcome::Kind::kPortFailed:
      note_.clear();
      // Once per spell of failing reads; the next open or close ends it.
      status_.ReadsFailing(true);
      break;
    case LinkOutcome::Kind::kFinished:
      return;  // the progress and the image already tell
  }
  Show();
}

void StatusLineController::Posted(Operation operation, std::uint32_t pageCount) {
  note_.clear();
  status_.Posted(operation, pageCount, now_());
  Show();
}

void StatusLineController::Progress(std::uint32_t pagesDone, std::uint32_t attempt,
                                    std::uint32_t attempts) {
  status_.Progress(pagesDone, now_(), attempt, attempts);
  Show();
}

void StatusLineController::PortOpened() {
  note_ = std::exchange(droppedNote_, {});
  noteKind_ = LinkStatus::Kind::kFailed;
  status_.PortOpened(link_->OpenComName(), link_->OpenDevicePath(), now_());
  Show();
}

void StatusLineController::PortClosed() {
  note_.clear();
  status_.PortClosed();
  Show();
}

void StatusLineController::ReadsFailing(bool failing) {
  note_.clear();
  status_.ReadsFailing(failing);
  Show();
}

void StatusLineController::PortChosen(const QString& leadsTo, bool opens) {
  const QString before = status_.Text();
  status_.ChoosePort(leadsTo, opens);
  if (status_.Text() != before)
    Show();
}

void StatusLineController::Note(const QString& text, bool failed) {
  note_ = text;
  noteKind_ = failed ? LinkStatus::Kind::kFailed : LinkStatus::Kind::kFinished;
  Show();
}

void StatusLineController::Show() {
  label_->setText(note_.isEmpty() ? status_.Text() : note_);
  spoken_.Changed(label_, note_.isEmpty() ? status_.CurrentKind() : noteKind_);
}

}  // namespace vardex
