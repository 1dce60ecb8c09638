#include "pty_port.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vardex::sim {
namespace {

std::string Failure(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

std::optional<PtyPort> OpenPtyPort(std::string& error) {
  PtyPort port;
  port.master = posix_openpt(O_RDWR | O_NOCTTY);
  if (port.master < 0) {
    error = Failure("posix_openpt");
    return std::nullopt;
  }
  const char* name = nullptr;
  if (grantpt(port.master) != 0 || unlockpt(port.master) != 0 ||
      (name = ptsname(port.master)) == nullptr) {
    error = Failure("preparing the pty");
    ClosePtyPort(port);
    return std::nullopt;
  }
  port.slavePath = name;
  fcntl(port.master, F_SETFD, FD_CLOEXEC);
  fcntl(port.master, F_SETFL, fcntl(port.master, F_GETFL) | O_NONBLOCK);

  port.slave = ::open(port.slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (port.slave < 0) {
    error = Failure(("opening " + port.slavePath).c_str());
    ClosePtyPort(port);
    return std::nullopt;
  }
  termios tio{};
  if (tcgetattr(port.slave, &tio) != 0) {
    error = Failure("tcgetattr");
    ClosePtyPort(port);
    return std::nullopt;
  }
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, B115200);
  cfsetospeed(&tio, B115200);
  if (tcsetattr(port.slave, TCSANOW, &tio) != 0) {
    error = Failure("tcsetattr");
    ClosePtyPort(port);
    return std::nullopt;
  }
  return port;
}

void ClosePtyPort(PtyPort& port) {
  if (port.slave >= 0)
    ::close(port.slave);
  if (port.master >= 0)
    ::close(port.master);
  port.slave = port.master = -1;
}

}  // namespace vardex::sim
