#pragma once

#include <sys/types.h>

#include <QString>
#include <QStringList>

// One vardex-sim run, registered as COM`com` in `linkDir`. Ended (and its
// link removed) when the object goes. Started with posix_spawn rather than
// QProcess, whose fork is refused by ThreadSanitizer in a threaded program.
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
  // What went wrong when Start() failed.
  const QString& errors() const { return errors_; }

 private:
  pid_t pid_ = -1;
  QString slavePath_;
  QString errors_;
};
