#include "sim_process.h"

#include <signal.h>

#include <string>
#include <vector>

bool SimProcess::Start(int com, const QString& linkDir, const QStringList& options) {
  std::vector<std::string> args{"--com", std::to_string(com), "--link-dir", linkDir.toStdString()};
  for (const QString& option : options) args.push_back(option.toStdString());
  if (!process_.Start(args)) {
    errors_ = QStringLiteral("vardex-sim did not report READY: ") +
              QString::fromStdString(process_.StdoutText());
    process_.Stop(SIGKILL);
    return false;
  }
  slavePath_ = QString::fromStdString(process_.SlavePath());
  return true;
}

void SimProcess::Stop() {
  // SIGTERM lets the simulator remove its COM link.
  process_.Stop(SIGTERM);
}
