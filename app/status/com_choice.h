#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

class QComboBox;

namespace vardex {

class StatusLineController;

// Puts on the status line where the COM name chosen in the list leads, and
// looks again every kLookInterval while no port is open, so the line
// follows adapters and links as they come and go. Before a name is chosen
// it says nothing and looks at nothing.
class ComChoiceWatcher final : public QObject {
 public:
  static constexpr std::chrono::milliseconds kLookInterval{1500};

  ComChoiceWatcher(QComboBox* ports, StatusLineController* status);

 private:
  void Chosen();
  void Look();
  void Tell();

  QComboBox* ports_;
  StatusLineController* status_;
  QTimer timer_;
  QString chosen_;
};

}  // namespace vardex
