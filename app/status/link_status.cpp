#include "link_status.h"

namespace vardex {
namespace {

QString Quoted(const QString& caption) {
  return QStringLiteral("\"%1\"").arg(caption);
}

QString Duration(std::int64_t seconds) {
  if (seconds < 60)
    return QStringLiteral("%1 s").arg(seconds);
  return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace

QString LinkStatus::OperationName(Operation operation) {
  switch (operation) {
    case Operation::kFirmwareUpload:
      return QStringLiteral("Upload firmware");
    case Operation::kConfigWrite:
      return QStringLiteral("Write config");
    case Operation::kConfigRead:
      return QStringLiteral("Read config");
    case Operation::kNone:
      break;
  }
  return {};
}

void LinkStatus::PortOpened(const QString& comName, const QString& devicePath,
                            Clock::time_point now) {
  portOpen_ = true;
  readsFailing_ = false;
  comName_ = comName;
  devicePath_ = devicePath;
  // A request posted without a port is taken by the new worker at once.
  if (phase_ == Phase::kWaitingForPort) {
    Start(now);
  } else if (phase_ == Phase::kStopped) {
    phase_ = Phase::kIdle;
  }
}

void LinkStatus::PortClosed() {
  portOpen_ = false;
  readsFailing_ = false;
  if (phase_ == Phase::kRunning || phase_ == Phase::kVerifying)
    phase_ = Phase::kStopped;
}

void LinkStatus::ReadsFailing(bool failing) {
  readsFailing_ = portOpen_ && failing;
}

void LinkStatus::RequestDropped() {
  if (phase_ == Phase::kWaitingForPort)
    phase_ = Phase::kIdle;
}

void LinkStatus::Posted(Operation operation, std::uint32_t pageCount, Clock::time_point now) {
  operation_ = operation;
  pageCount_ = pageCount;
  pagesDone_ = 0;
  if (portOpen_) {
    Start(now);
  } else {
    phase_ = Phase::kWaitingForPort;
  }
}

void LinkStatus::Start(Clock::time_point now) {
  phase_ = Phase::kRunning;
  started_ = now;
  secondsLeft_ = -1;
  silent_ = false;
  attempt_ = 1;
}

void LinkStatus::Progress(std::uint32_t pagesDone, Clock::time_point now, std::uint32_t attempt,
                          std::uint32_t attempts) {
  if (phase_ != Phase::kRunning || pagesDone > pageCount_ || pagesDone < pagesDone_)
    return;
  attempt_ = attempt;
  attempts_ = attempts;
  // Only a page more is a reply; the link also reports a transfer's start,
  // and each time it asks the device again for the same page.
  if (pagesDone == pagesDone_)
    return;
  pagesDone_ = pagesDone;
  silent_ = false;
  if (pagesDone > 0) {
    // The pages so far set the pace for the rest.
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - started_);
    const std::int64_t left = elapsed.count() * (pageCount_ - pagesDone) / pagesDone;
    secondsLeft_ = (left + 999) / 1000;
  }
  if (pagesDone == pageCount_)
    phase_ = operation_ == Operation::kConfigRead ? Phase::kVerifying : Phase::kFinished;
}

void LinkStatus::ImageShown() {
  if (ReadEnding())
    phase_ = Phase::kFinished;
}

void LinkStatus::ImageChecksumFailed() {
  if (ReadEnding())
    phase_ = Phase::kChecksumError;
}

bool LinkStatus::ReadEnding() {
  // The end of a read may be reported before the count of its last page.
  if (operation_ != Operation::kConfigRead ||
      (phase_ != Phase::kRunning && phase_ != Phase::kVerifying))
    return false;
  pagesDone_ = pageCount_;
  return true;
}

void LinkStatus::NoReply() {
  silent_ = phase_ == Phase::kRunning;
}

void LinkStatus::ChoosePort(const QString& leadsTo, bool opens) {
  chosenLeadsTo_ = leadsTo;
  chosenOpens_ = opens;
}

bool LinkStatus::ChangingTheDevice() const {
  return phase_ == Phase::kRunning &&
         (operation_ == Operation::kConfigWrite || operation_ == Operation::kFirmwareUpload);
}

QString LinkStatus::CloseQuestion() const {
  if (!ChangingTheDevice())
    return {};
  const bool upload = operation_ == Operation::kFirmwareUpload;
  return QStringLiteral(
             "%1 is running (page %2 of %3). Closing now leaves the device %4. Close "
             "anyway?")
      .arg(upload ? QStringLiteral("A firmware upload") : QStringLiteral("A config write"))
      .arg(WaitingPage())
      .arg(pageCount_)
      .arg(upload ? QStringLiteral("without a complete firmware")
                  : QStringLiteral("with an incomplete configuration"));
}

QString LinkStatus::PortText() const {
  return devicePath_.isEmpty() ? comName_ : QStringLiteral("%1 (%2)").arg(comName_, devicePath_);
}

QString LinkStatus::RunningText() const {
  QString text = QStringLiteral("%1: page %2 of %3")
                     .arg(OperationName(operation_))
                     .arg(WaitingPage())
                     .arg(pageCount_);
  if (operation_ == Operation::kFirmwareUpload && pageCount_ > 0) {
    text += QStringLiteral(", %1 %").arg(pagesDone_ * 100 / pageCount_);
    if (secondsLeft_ >= 0)
      text += QStringLiteral(", about %1 left").arg(Duration(secondsLeft_));
  }
  text += QStringLiteral(" on %1").arg(PortText());
  if (attempt_ > 1) {
    text += QStringLiteral(", asking the device again (try %1 of %2)").arg(attempt_).arg(attempts_);
  }
  return text + QStringLiteral(".");
}

QString LinkStatus::Text() const {
  const QString name = OperationName(operation_);
  if (portOpen_ && readsFailing_) {
    return QStringLiteral(
               "%1 has stopped working: the adapter was unplugged or lost power. Plug "
               "it in again, press %2, then %3.")
        .arg(PortText(), Quoted("Close port"), Quoted("Open port"));
  }
  switch (phase_) {
    case Phase::kWaitingForPort:
      return QStringLiteral("%1 waits for an open port: choose the COM port and press %2.")
          .arg(name, Quoted("Open port"));
    case Phase::kRunning:
      if (silent_) {
        return QStringLiteral(
                   "No reply from the device for %1 s while waiting for page %2 of "
                   "%3: check the cable, the COM port and that the device is in "
                   "config mode, then press %4 again.")
            .arg(kNoReplyNotice.count())
            .arg(WaitingPage())
            .arg(pageCount_)
            .arg(Quoted(name));
      }
      return RunningText();
    case Phase::kVerifying:
      return QStringLiteral("Read config: all %1 pages received, checking the image.")
          .arg(pageCount_);
    case Phase::kFinished:
      return QStringLiteral("%1 finished: %2 of %2 pages.").arg(name).arg(pageCount_);
    case Phase::kChecksumError:
      return QStringLiteral(
          "Read config: the image read from the device has a wrong checksum, "
          "so the pages were left as they were. A new or erased device holds "
          "none: write the start-up values or a file (there is nothing to back "
          "up), then read again.");
    case Phase::kStopped:
      return QStringLiteral(
                 "%1 stopped at page %2 of %3: the port was closed. Open it and press "
                 "%4 again.")
          .arg(name)
          .arg(WaitingPage())
          .arg(pageCount_)
          .arg(Quoted(name));
    case Phase::kIdle:
      break;
  }
  if (portOpen_)
    return QStringLiteral("%1 is open.").arg(PortText());
  if (!chosenLeadsTo_.isEmpty()) {
    return chosenOpens_ ? QStringLiteral("No port open: %1. Press %2.")
                              .arg(chosenLeadsTo_, Quoted("Open port"))
                        : QStringLiteral("No port open: %1.").arg(chosenLeadsTo_);
  }
  return QStringLiteral("No port open: choose the COM port and press %1.").arg(Quoted("Open port"));
}

LinkStatus::Kind LinkStatus::CurrentKind() const {
  if (portOpen_ && readsFailing_)
    return Kind::kFailed;
  switch (phase_) {
    case Phase::kWaitingForPort:
    case Phase::kVerifying:
      return Kind::kWaiting;
    case Phase::kRunning:
      return silent_ ? Kind::kNoReply : Kind::kWaiting;
    case Phase::kFinished:
      return Kind::kFinished;
    case Phase::kChecksumError:
    case Phase::kStopped:
      return Kind::kFailed;
    case Phase::kIdle:
      break;
  }
  return portOpen_ ? Kind::kOpen : Kind::kNoPort;
}

}  // namespace vardex
