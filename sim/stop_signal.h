#pragma once

#include <poll.h>

#include <chrono>

namespace vardex::sim {

using Clock = std::chrono::steady_clock;

// SIGINT, SIGTERM and SIGHUP are held blocked and only let through while the
// program waits, so a stop request can never slip in between checking the
// flag and starting to wait.
void InstallStopSignals();
bool StopRequested();

// Waits on the descriptors like poll(); a timeout below 0 waits without end.
// Returns poll's result; -1 with EINTR when a stop signal arrived.
int WaitForDescriptors(pollfd* fds, nfds_t count, Clock::duration timeout);

// Sleeps until `deadline`; false when a stop signal cut the sleep short.
bool SleepUntil(Clock::time_point deadline);

}  // namespace vardex::sim
