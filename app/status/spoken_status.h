#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

#include "announce_pace.h"
#include "link_status.h"

class QLabel;

namespace vardex {

// The status line as screen readers meet it: a status bar named by its
// accessible name ("Status") whose description and text are what the line
// shows, so Orca reads "Status, status bar" and then the news. Each change
// is announced (description and text events, and the AT-SPI announcement
// that Orca speaks wherever the focus is) at the pace AnnouncePace sets.
class SpokenStatus final : public QObject {
  Q_OBJECT

 public:
  using NowFunction = std::function<AnnouncePace::Clock::time_point()>;

  explicit SpokenStatus(NowFunction now);

  // After each update of `label`'s text, of the given kind.
  void Changed(QLabel* label, LinkStatus::Kind kind);

 private:
  void Attach(QLabel* label);
  void Announce();

  NowFunction now_;
  QPointer<QLabel> label_;
  QTimer due_;
  AnnouncePace pace_;
  LinkStatus::Kind kind_ = LinkStatus::Kind::kNoPort;
  QString announced_;
};

}  // namespace vardex
