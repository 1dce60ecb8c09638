#include "sim_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <string>
#include <vector>

extern char** environ;

SimProcess::~SimProcess() {
  Stop();
}

bool SimProcess::Start(int com, const QString& linkDir, const QStringList& options) {
  std::vector<std::string> args{VARDEX_SIM_PATH,     "--exit-with-parent", "--com",
                                std::to_string(com), "--link-dir",         linkDir.toStdString()};
  for (const QString& option : options) args.push_back(option.toStdString());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int out[2];
  if (::pipe(out) != 0)
    return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const int spawned =
      ::posix_spawn(&pid_, VARDEX_SIM_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(out[0]);
    pid_ = -1;
    errors_ = QStringLiteral("vardex-sim could not be started");
    return false;
  }
  // The READY line, read with a bounded wait.
  std::string line;
  QDeadlineTimer deadline(20000);
  while (!deadline.hasExpired()) {
    pollfd fd{out[0], POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(deadline.remainingTime())) <= 0)
      break;
    char c;
    if (::read(out[0], &c, 1) != 1)
      break;
    if (c == '\n')
      break;
    line.push_back(c);
  }
  ::close(out[0]);  // the simulator prints nothing more on stdout
  if (line.rfind("READY ", 0) != 0) {
    errors_ = QStringLiteral("vardex-sim did not report READY: ") + QString::fromStdString(line);
    Stop();
    return false;
  }
  slavePath_ = QString::fromStdString(line.substr(6));
  return true;
}

void SimProcess::Stop() {
  if (pid_ <= 0)
    return;
  ::kill(pid_, SIGTERM);
  // Bounded: a simulator that does not end on SIGTERM is killed.
  QDeadlineTimer deadline(10000);
  while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (deadline.hasExpired()) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      break;
    }
    ::usleep(5000);
  }
  pid_ = -1;
}
