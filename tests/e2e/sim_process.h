#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One vardex-sim run, registered as COM`com` in `linkDir`. Ended (and its
// link removed) when the object goes.
class SimProcess {
 public:
  SimProcess() = default;
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // Starts the simulator and waits (bounded) until it reports READY.
  bool Start(int com, const QString& linkDir, const QStringList& options = {});
  void Stop();
  const QString& slavePath() const { return slavePath_; }
  QString errors();

 private:
  QProcess process_;
  QString slavePath_;
};
