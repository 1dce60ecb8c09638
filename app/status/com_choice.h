#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

class QComboBox;

namespace vardex {

class StatusLineController;

// Puts on the status line where the COM name chosen in the list leads, and
// keeps it true while no port is open: every kLookInterval it looks at what
// changes when an adapter or a link comes or goes (a few file dates), and
// only then asks the system for its ports again. Before a name is chosen it
// says nothing and looks at nothing.
class ComChoiceWatcher final : public QObject {
 public:
  static constexpr std::chrono::milliseconds kLookInterval{1500};

  ComChoiceWatcher(QComboBox* ports, StatusLineController* status);

 private:
  void Chosen();
  void Look();
  void Tell();
  QString Signs() const;

  QComboBox* ports_;
  StatusLineController* status_;
  QTimer timer_;
  QString chosen_;
  QString target_;  // where the chosen name led when last told
  QString signs_;   // what Signs() gave then
};

}  // namespace vardex
