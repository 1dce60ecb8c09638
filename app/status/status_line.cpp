#include "status_line.h"

#include <QLabel>
#include <QTimer>

#include "device_link.h"

namespace vardex {
namespace {

// The one log line that tells a finished read was not shown.
constexpr char kReadChecksumError[] =
    "Eeprom read checksum error. Please upload new eeprom data to device.";
constexpr int kTickMs = 250;

}  // namespace

StatusLineController::StatusLineController(QLabel* label, DeviceLink* link, QObject* parent)
    : QObject(parent), label_(label), link_(link), timer_(new QTimer(this)) {
  connect(link_, &DeviceLink::Progress, this, [this](int pagesDone) {
    status_.Progress(static_cast<std::uint32_t>(pagesDone), now_());
    Show();
  });
  connect(link_, &DeviceLink::ImageReceived, this, [this] {
    status_.ImageShown();
    Show();
  });
  connect(link_, &DeviceLink::LogLine, this, [this](const QString& line) {
    if (line == QLatin1String(kReadChecksumError)) {
      status_.ImageChecksumFailed();
      Show();
    }
  });
  // Reported once per spell of failing reads; the next open or close ends it.
  connect(link_, &DeviceLink::PortError, this, [this] { ReadsFailing(true); });
  connect(timer_, &QTimer::timeout, this, &StatusLineController::Tick);
  timer_->start(kTickMs);
  Show();
}

void StatusLineController::Posted(Operation operation, std::uint32_t pageCount) {
  status_.Posted(operation, pageCount, now_());
  Show();
}

void StatusLineController::PortOpened() {
  status_.PortOpened(link_->OpenComName(), link_->OpenDevicePath(), now_());
  Show();
}

void StatusLineController::PortClosed() {
  status_.PortClosed();
  Show();
}

void StatusLineController::ReadsFailing(bool failing) {
  status_.ReadsFailing(failing);
  Show();
}

void StatusLineController::Tick() {
  if (status_.Tick(now_()))
    Show();
}

void StatusLineController::Show() {
  label_->setText(status_.Text());
  spoken_.Changed(label_, status_.CurrentKind());
}

}  // namespace vardex
