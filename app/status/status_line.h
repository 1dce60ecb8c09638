#pragma once

#include <QObject>
#include <functional>

#include "link_status.h"
#include "spoken_status.h"

class QLabel;

namespace vardex {

class DeviceLink;

// Keeps the status line under the progress bar up to date: it feeds the
// link's reports and outcomes and the window's requests into a LinkStatus.
class StatusLineController final : public QObject {
  Q_OBJECT

 public:
  using NowFunction = std::function<LinkStatus::Clock::time_point()>;

  StatusLineController(QLabel* label, DeviceLink* link, QObject* parent = nullptr);

  // Tests give a clock of their own.
  void SetClock(NowFunction now) { now_ = std::move(now); }

  void Posted(Operation operation, std::uint32_t pageCount);
  // `pagesDone` pages of the transfer followed were acknowledged or received;
  // the page waited for is on its `attempt`-th try of `attempts`.
  void Progress(std::uint32_t pagesDone, std::uint32_t attempt = 1, std::uint32_t attempts = 1);
  // After "Open port" succeeded, and after "Close port".
  void PortOpened();
  void PortClosed();
  void ReadsFailing(bool failing);
  // Where the COM name chosen in the list leads; shown only when it changes
  // what the line says.
  void PortChosen(const QString& leadsTo, bool opens);

  // A word on how a transfer ended that the link cannot know (a write
  // verified or not); it stands until the next request or port event.
  void Note(const QString& text, bool failed);

  const LinkStatus& Status() const { return status_; }

 private:
  void OnOutcome(const LinkOutcome& outcome);
  void Show();

  QLabel* label_;
  DeviceLink* link_;
  NowFunction now_ = [] { return LinkStatus::Clock::now(); };
  LinkStatus status_;
  QString note_;
  QString droppedNote_;  // said once the port that dropped a request is open
  LinkStatus::Kind noteKind_ = LinkStatus::Kind::kFinished;
  SpokenStatus spoken_{[this] { return now_(); }};
};

}  // namespace vardex
