#include "vardex_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace vardex::testing {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

bool UnderWine() {
  return !Environment("VARDEX_E2E_WINE").empty() && !Environment("VARDEX_E2E_EXE").empty();
}

std::string WineDosDevices() {
  return Environment("WINEPREFIX") + "/dosdevices";
}

VardexRun RunVardex(const std::vector<std::string>& args, const std::string& home) {
  VardexRun run;
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
    return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

  const std::string program = UnderWine() ? Environment("VARDEX_E2E_WINE") : VARDEX_CLI_PATH;
  std::vector<std::string> all{program};
  if (UnderWine())
    all.push_back(Environment("VARDEX_E2E_EXE"));
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(all.size() + 1);
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (home.empty() || !entry.starts_with("HOME="))
      env.push_back(entry);
  }
  if (!home.empty())
    env.push_back("HOME=" + home);
  std::vector<char*> envp;
  envp.reserve(env.size() + 1);
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = -1;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* texts[2] = {&run.out, &run.err};
  int open = rc == 0 ? 2 : 0;
  while (open > 0 && std::chrono::steady_clock::now() < deadline) {
    if (poll(fds, 2, 100) <= 0)
      continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0)
        continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        fds[i].fd = -1;
        --open;
      }
    }
  }
  close(out[0]);
  close(err[0]);
  if (rc != 0)
    return run;
  if (open > 0)
    kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  if (open == 0 && WIFEXITED(status))
    run.exitCode = WEXITSTATUS(status);
  return run;
}

}  // namespace vardex::testing
