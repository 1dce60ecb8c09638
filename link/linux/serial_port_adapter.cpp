#include "serial_port_adapter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "link_platform.h"
#include "serial_port.h"
#include "system_serial_port.h"
#include "traced_serial_port.h"

namespace vardex {
namespace {

// Asks the driver to hand over received bytes at once instead of after its
// own latency timer (16 ms on many USB adapters), which would otherwise cost
// every page of a transfer. Ptys and many drivers refuse: that is fine.
void RequestLowLatency(qintptr handle) {
  serial_struct serial{};
  const int fd = static_cast<int>(handle);
  if (::ioctl(fd, TIOCGSERIAL, &serial) != 0)
    return;
  serial.flags |= ASYNC_LOW_LATENCY;
  [[maybe_unused]] const int refused = ::ioctl(fd, TIOCSSERIAL, &serial);
}

}  // namespace

QtSerialPort::QtSerialPort() {
  if (::pipe(wakePipe_) == 0) {
    for (int fd : wakePipe_) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
      ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  }
}

QtSerialPort::~QtSerialPort() {
  Close();
  for (int fd : wakePipe_) {
    if (fd >= 0)
      ::close(fd);
  }
}

bool QtSerialPort::Open(const std::string& path) {
  // The worker is a plain thread. QSerialPort registers its notifiers with
  // the thread's event dispatcher, so give the thread one (making an event
  // loop does that); it is never run, so the port is read only here.
  if (QCoreApplication::instance() != nullptr && QAbstractEventDispatcher::instance() == nullptr) {
    QEventLoop makeDispatcher;
  }
  port_ = std::make_unique<QSerialPort>();
  port_->setPortName(QString::fromStdString(path));
  // QSerialPort opens exclusively and holds a lock file, so a second open of
  // the same device fails, in this program or another.
  bool ready = port_->open(QIODevice::ReadWrite) && port_->setBaudRate(QSerialPort::Baud115200) &&
               port_->setDataBits(QSerialPort::Data8) && port_->setParity(QSerialPort::NoParity) &&
               port_->setStopBits(QSerialPort::OneStop) &&
               port_->setFlowControl(QSerialPort::NoFlowControl);
  if (ready) {
    // Neither line asserted. A pseudo-terminal has no modem lines and refuses
    // these requests ("Inappropriate ioctl for device"): that is no error.
    port_->setDataTerminalReady(false);
    port_->setRequestToSend(false);
    port_->clearError();
    RequestLowLatency(port_->handle());
    // Bytes that waited in the line while nobody had it open are stale.
    port_->clear(QSerialPort::Input);
  }
  if (!ready)
    port_.reset();
  return ready;
}

bool QtSerialPort::WaitForInput(std::chrono::milliseconds timeout) {
  pollfd fds[2] = {{static_cast<int>(port_->handle()), POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
  const int ready = ::poll(fds, 2, static_cast<int>(timeout.count()));
  if (ready <= 0)
    return false;
  if (fds[1].revents != 0) {
    char drain[64];
    while (::read(wakePipe_[0], drain, sizeof drain) > 0) {
    }
  }
  // A hung-up or failing device reports POLLHUP/POLLERR; the read below then
  // fails and the worker waits out its time-out.
  if (fds[0].revents == 0)
    return false;
  if ((fds[0].revents & POLLIN) == 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
    hungUp_ = true;
  return port_->waitForReadyRead(0);
}

std::size_t QtSerialPort::Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) {
  if (!port_)
    return 0;
  hungUp_ = false;
  if (port_->bytesAvailable() == 0 && !WaitForInput(timeout))
    return 0;
  const qint64 got =
      port_->read(reinterpret_cast<char*>(into.data()), static_cast<qint64>(into.size()));
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::string QtSerialPort::LastReadError() const {
  if (!port_)
    return "port not open";
  switch (port_->error()) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
      break;
    default:
      return port_->errorString().toStdString();
  }
  return hungUp_ ? "the device hung up" : "";
}

void QtSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!port_)
    return;
  if (port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) <
      0) {
    return;
  }
  // 1 ms per byte plus 1 ms, as the line settings allow for a write.
  const int limitMs = static_cast<int>(bytes.size()) + 1;
  QDeadlineTimer deadline(limitMs);
  while (port_->bytesToWrite() > 0 && !deadline.hasExpired()) {
    if (!port_->waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
      break;
  }
}

void QtSerialPort::Close() {
  if (!port_)
    return;
  port_->close();
  port_.reset();
}

void QtSerialPort::Interrupt() {
  if (wakePipe_[1] >= 0) {
    const char one = 1;
    [[maybe_unused]] const auto written = ::write(wakePipe_[1], &one, 1);
  }
}

std::unique_ptr<SerialPort> MakeSystemSerialPort() {
  return std::make_unique<TracedSerialPort>(std::make_unique<QtSerialPort>(), SystemPortTrace());
}

}  // namespace vardex
