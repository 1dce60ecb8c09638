#include "status_line.h"

#include <QLabel>

#include "device_link.h"

namespace vardex {

StatusLineController::StatusLineController(QLabel* label, DeviceLink* link, QObject* parent)
    : QObject(parent), label_(label), link_(link) {
  connect(link_, &DeviceLink::Progress, this, [this](int pagesDone) {
    status_.Progress(static_cast<std::uint32_t>(pagesDone), now_());
    Show();
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
      // Once per spell of failing reads; the next open or close ends it.
      status_.ReadsFailing(true);
      break;
    case LinkOutcome::Kind::kFinished:
      return;  // the progress and the image already tell
  }
  Show();
}

void StatusLineController::Posted(Operation operation, std::uint32_t pageCount) {
  status_.Posted(operation, pageCount, now_());
  Show();
}

void StatusLineController::PortOpened() {
  status_.PortOpened(link_->OpenComName(), link_->OpenDevicePath(), now_());
  Show();
}

void StatusLineController::PortClosed() {
  status_.PortClosed();
  Show();
}

void StatusLineController::ReadsFailing(bool failing) {
  status_.ReadsFailing(failing);
  Show();
}

void StatusLineController::PortChosen(const QString& leadsTo, bool opens) {
  const QString before = status_.Text();
  status_.ChoosePort(leadsTo, opens);
  if (status_.Text() != before)
    Show();
}

void StatusLineController::ShowNotice(const QString& text) {
  label_->setText(text);
  spoken_.Changed(label_, LinkStatus::Kind::kFailed);
}

void StatusLineController::Show() {
  label_->setText(status_.Text());
  spoken_.Changed(label_, status_.CurrentKind());
}

}  // namespace vardex
