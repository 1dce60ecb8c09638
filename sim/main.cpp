// vardex-sim: plays the VARDEX device on a pseudo-terminal so the
// configurator can be run and tested without the hardware.
#include <sys/prctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "com_link.h"
#include "device.h"
#include "device_memory.h"
#include "event_log.h"
#include "flood.h"
#include "pty_port.h"
#include "request_parser.h"
#include "serial_line.h"
#include "sim_options.h"
#include "stop_signal.h"

namespace vardex::sim {
namespace {

// Serves the line until a stop signal arrives or the pty fails. A flood is
// written between reads and never waits, so requests keep being read and
// answered while it runs.
int Serve(const PtyPort& port, Device& device, SerialLine& line, Flood& flood,
          const EventLog& log) {
  RequestParser parser;
  std::array<std::uint8_t, 256> buffer{};
  flood.NoteReplies(0, Clock::now());
  while (!StopRequested()) {
    Clock::time_point now = Clock::now();
    flood.Pump(now);
    now = Clock::now();
    const Clock::time_point due = flood.NextDue(now);
    // A flood wakes the loop at most once a millisecond: bursty, as USB is.
    const Clock::duration timeout =
        due == Clock::time_point::max()
            ? Clock::duration(-1)
            : std::max<Clock::duration>(due - now, std::chrono::milliseconds(1));
    pollfd pfd{port.master, static_cast<short>(POLLIN | (flood.Stalled() ? POLLOUT : 0)), 0};
    const int ready = WaitForDescriptors(&pfd, 1, timeout);
    if (ready < 0) {
      if (errno == EINTR)
        continue;
      std::fprintf(stderr, "vardex-sim: poll: %s\n", std::strerror(errno));
      return 1;
    }
    if ((pfd.revents & POLLIN) == 0) {
      if ((pfd.revents & (POLLHUP | POLLERR)) == 0)
        continue;  // time for the flood, or room for it
      // A hang-up cannot happen while we hold the slave open; should it
      // anyway, wait a little instead of spinning.
      if (!SleepUntil(Clock::now() + std::chrono::milliseconds(50)))
        break;
      continue;
    }
    const ssize_t n = ::read(port.master, buffer.data(), buffer.size());
    if (n <= 0)
      continue;  // EAGAIN or EINTR: back to waiting
    const std::size_t count = static_cast<std::size_t>(n);
    line.NoteReceived(count);
    for (std::size_t i = 0; i < count; ++i) {
      const auto request = parser.Push(buffer[i]);
      if (!request)
        continue;
      if (!line.AwaitReceived(i) || !device.Handle(*request))
        break;
    }
    log.Line("read %zu bytes (rejected so far: %zu headers, %zu pages)", count,
             parser.RejectedHeaders(), parser.RejectedPages());
  }
  return 0;
}

int Run(const SimOptions& options) {
  const EventLog log(options.verbose);
  InstallStopSignals();
  // A test that dies must not leave its simulator (and the pty) behind.
  if (options.exitWithParent)
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);

  static DeviceMemory memory;  // fixed buffers for the life of the program
  if (!options.imageFile.empty()) {
    const std::string problem = memory.LoadImage(options.imageFile);
    // An image kept between runs (--image and --save-image name one file)
    // starts from the built-in one until the first write saves it.
    const bool keptButNotYetSaved = options.imageFile == options.saveImageFile &&
                                    ::access(options.imageFile.c_str(), F_OK) != 0 &&
                                    errno == ENOENT;
    if (problem.empty()) {
      log.Line("image loaded from %s", options.imageFile.c_str());
    } else if (keptButNotYetSaved) {
      log.Line("%s not saved yet, starting from the built-in image", options.imageFile.c_str());
    } else {
      std::fprintf(stderr, "vardex-sim: --image %s: %s\n", options.imageFile.c_str(),
                   problem.c_str());
      return 2;
    }
  }

  std::string error;
  auto port = OpenPtyPort(error);
  if (!port) {
    std::fprintf(stderr, "vardex-sim: %s\n", error.c_str());
    return 1;
  }
  ComLink comLink;
  if (options.com > 0 &&
      !comLink.Create(options.com, options.linkDir, port->slavePath, options.replaceLink, error)) {
    std::fprintf(stderr, "vardex-sim: %s\n", error.c_str());
    ClosePtyPort(*port);
    return 1;
  }
  if (options.com > 0)
    log.Line("COM%d is %s", options.com, comLink.Path().c_str());

  SerialLine line(port->master, options.baud, options.fragment);
  Flood flood(options, memory, line, log);
  Device device(options, memory, line, flood, log);
  std::printf("READY %s\n", port->slavePath.c_str());
  std::fflush(stdout);

  const int status = Serve(*port, device, line, flood, log);
  log.Line("stopping");
  comLink.Remove();
  ClosePtyPort(*port);
  return status;
}

}  // namespace
}  // namespace vardex::sim

int main(int argc, char** argv) {
  const auto parsed = vardex::sim::ParseOptions(argc, argv);
  if (!parsed.options) {
    std::fprintf(stderr, "vardex-sim: %s (\"vardex-sim --help\" lists the options)\n",
                 parsed.error.c_str());
    return 2;
  }
  if (parsed.options->help) {
    std::fputs(vardex::sim::UsageText(), stdout);
    return 0;
  }
  if (parsed.options->version) {
    std::puts("vardex-sim (VARDEX Configurator) " VARDEX_VERSION);
    return 0;
  }
  return vardex::sim::Run(*parsed.options);
}
