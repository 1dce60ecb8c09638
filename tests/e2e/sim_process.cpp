#include "sim_process.h"

#include <QDeadlineTimer>

SimProcess::~SimProcess() {
  Stop();
}

bool SimProcess::Start(int com, const QString& linkDir, const QStringList& options) {
  QStringList arguments{"--com", QString::number(com), "--link-dir", linkDir};
  arguments << options;
  process_.start(QStringLiteral(VARDEX_SIM_PATH), arguments);
  if (!process_.waitForStarted(10000))
    return false;
  QDeadlineTimer deadline(20000);
  QByteArray out;
  while (!deadline.hasExpired()) {
    if (process_.canReadLine() || process_.waitForReadyRead(200)) {
      while (process_.canReadLine()) {
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("READY ")) {
          slavePath_ = QString::fromLocal8Bit(line.mid(6));
          return true;
        }
      }
    }
    if (process_.state() == QProcess::NotRunning)
      return false;
  }
  return false;
}

void SimProcess::Stop() {
  if (process_.state() == QProcess::NotRunning)
    return;
  process_.terminate();
  if (!process_.waitForFinished(10000)) {
    process_.kill();
    process_.waitForFinished(10000);
  }
}

QString SimProcess::errors() {
  return QString::fromLocal8Bit(process_.readAllStandardError());
}
