#pragma once

#include <QString>
#include <QStringList>

#include "sim_launcher.h"

// One vardex-sim run, registered as COM`com` in `linkDir`, ended (and its
// link removed) when the object goes.
class SimProcess {
 public:
  SimProcess() = default;
  ~SimProcess() { Stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // Starts the simulator and waits (bounded) until it reports READY.
  bool Start(int com, const QString& linkDir, const QStringList& options = {});
  void Stop();
  const QString& slavePath() const { return slavePath_; }
  // What went wrong when Start() failed.
  const QString& errors() const { return errors_; }

 private:
  vardex::sim::SimProcess process_;
  QString slavePath_;
  QString errors_;
};
