#pragma once

#include <QObject>
#include <functional>

#include "link_status.h"
#include "spoken_status.h"

class QLabel;
class QTimer;

namespace vardex {

class DeviceLink;

// Keeps the status line under the progress bar up to date: it feeds the
// link's reports and the window's requests into a LinkStatus and looks at
// the silence of a running transfer a few times a second.
class StatusLineController final : public QObject {
  Q_OBJECT

 public:
  using NowFunction = std::function<LinkStatus::Clock::time_point()>;

  StatusLineController(QLabel* label, DeviceLink* link, QObject* parent = nullptr);

  // Tests give a clock of their own.
  void SetClock(NowFunction now) { now_ = std::move(now); }

  void Posted(Operation operation, std::uint32_t pageCount);
  // After "Open port" succeeded, and after "Close port".
  void PortOpened();
  void PortClosed();
  void ReadsFailing(bool failing);

  const LinkStatus& Status() const { return status_; }
  // Looks at the silence now instead of at the next turn of the timer.
  void Tick();

 private:
  void Show();

  QLabel* label_;
  DeviceLink* link_;
  QTimer* timer_;
  NowFunction now_ = [] { return LinkStatus::Clock::now(); };
  LinkStatus status_;
  SpokenStatus spoken_{[this] { return now_(); }};
};

}  // namespace vardex
