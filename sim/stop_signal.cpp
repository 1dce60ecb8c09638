#include "stop_signal.h"

#include <signal.h>

#include <cerrno>
#include <csignal>

namespace vardex::sim {
namespace {

volatile std::sig_atomic_t stopFlag = 0;
sigset_t waitMask;  // the mask in force while waiting: stop signals open

void OnStopSignal(int) {
  stopFlag = 1;
}

}  // namespace

void InstallStopSignals() {
  sigset_t stopSet;
  sigemptyset(&stopSet);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSet, sig);
  sigset_t previous;
  sigprocmask(SIG_BLOCK, &stopSet, &previous);
  waitMask = previous;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigdelset(&waitMask, sig);

  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() {
  return stopFlag != 0;
}

int WaitForDescriptors(pollfd* fds, nfds_t count, Clock::duration timeout) {
  if (StopRequested()) {
    errno = EINTR;
    return -1;
  }
  timespec ts{};
  timespec* limit = nullptr;
  if (timeout >= Clock::duration::zero()) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(timeout).count();
    ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    limit = &ts;
  }
  return ppoll(fds, count, limit, &waitMask);
}

bool SleepUntil(Clock::time_point deadline) {
  while (!StopRequested()) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
      return true;
    WaitForDescriptors(nullptr, 0, left);
  }
  return false;
}

}  // namespace vardex::sim
