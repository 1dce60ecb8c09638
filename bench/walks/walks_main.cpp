// Records the calls of two walks through the real window, its worker and the
// real serial port against vardex-sim on a pseudo-terminal:
//  1. "Write config" with the start-up values, its question answered in the
//     real message box, until the worker first enters the port's Write;
//  2. "Read config", until the image read has been shown on the pages.
// Writes walk1.rec and walk2.rec into the folder given;
// scripts/measure-walks.py turns them into files.
#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <functional>
#include <span>
#include <string>

#include "Unit1.h"
#include "box_answerer.h"
#include "call_recorder.h"
#include "serial_port_adapter.h"
#include "sim_launcher.h"
#include "transfer_controller.h"

namespace {

using namespace std::chrono_literals;
namespace walks = vardex::walks;

constexpr int kCom = 7;
constexpr auto kLimit = 120s;  // bounds every wait; the build is -O0 and instrumented

// Runs the event loop until `done` holds or `limit` passes; false on time-out.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done())
      loop.quit();
  });
  QTimer::singleShot(limit, &loop, [&] { loop.exit(1); });
  poll.start(5);
  return done() || loop.exec() == 0;
}

// The address the worker's port's Write has in this program (a GCC
// extension resolves the bound member function).
const void* PortWriteAddress() {
  using WriteFunction = void (*)(vardex::QtSerialPort*, std::span<const std::uint8_t>);
  vardex::QtSerialPort probe;
  const auto write = (WriteFunction)(probe.*(&vardex::QtSerialPort::Write));
  return reinterpret_cast<const void*>(write);
}

bool DumpWalk(const char* name, const std::string& path) {
  const std::string error = walks::Dump(path);
  std::printf("%s: %zu events recorded (room for %zu)%s -> %s\n", name, walks::EventCount(),
              walks::kEventCapacity, walks::Overflowed() ? ", RECORD FULL: the walk is cut" : "",
              path.c_str());
  if (!error.empty())
    std::printf("%s: %s\n", name, error.c_str());
  return error.empty() && !walks::Overflowed();
}

int Fail(const char* what) {
  std::printf("vardex-walks: %s\n", what);
  return 1;
}

int Run(const std::string& outDir, const QString& linkDir) {
  vardex::sim::SimProcess sim;
  if (!sim.Start({"--com", std::to_string(kCom), "--link-dir", linkDir.toStdString()}))
    return Fail("vardex-sim did not report READY");

  TForm1 form;  // the real message boxes
  BoxAnswerer boxes;
  form.findChild<QComboBox*>("ComboBox2")->setCurrentIndex(kCom - 1);
  boxes.Expect(QStringLiteral("OK"));
  form.Button1Click();
  if (!form.Link().WorkerRunning())
    return Fail("COM7 did not open");
  const std::uint32_t window = walks::CurrentThread();

  // Walk 1: the click, its question answered, up to the port's first write.
  bool writeFinished = false;
  QObject::connect(&form.Transfers(), &vardex::TransferController::WriteFinished,
                   [&] { writeFinished = true; });
  boxes.Expect(QStringLiteral("Replace configuration"));
  walks::Arm(window, PortWriteAddress());
  form.Button5Click();
  walks::StopWindowThread();
  const bool reached = WaitUntil(walks::StopReached, kLimit);
  walks::Disarm();
  if (!boxes.Failure().isEmpty())
    return Fail(qPrintable(boxes.Failure()));
  if (!reached)
    return Fail("walk 1: the worker never wrote to the port");
  if (!DumpWalk("walk 1", outDir + "/walk1.rec"))
    return 1;
  if (!WaitUntil([&] { return writeFinished; }, kLimit))
    return Fail("walk 1: the write did not finish");

  // Walk 2: "Read config" until the image read has been shown. The queued
  // connection runs after the delivery that showed it has returned.
  bool shown = false;
  QObject::connect(
      &form.Link(), &vardex::DeviceLink::ImageReceived, &form, [&] { shown = true; },
      Qt::QueuedConnection);
  walks::Arm(window, nullptr);
  form.Button4Click();
  const bool read = WaitUntil([&] { return shown; }, kLimit);
  walks::Disarm();
  if (!read)
    return Fail("walk 2: the image read was never shown");
  if (!DumpWalk("walk 2", outDir + "/walk2.rec"))
    return 1;

  for (const QString& answered : boxes.Answered())
    std::printf("box answered: %s\n", qPrintable(answered));
  form.Link().Shutdown();
  sim.Stop(SIGTERM);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vardex-walks OUTPUT-FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // The COM link and the settings live in a home of their own.
  QTemporaryDir home;
  if (!home.isValid())
    return Fail("no temporary folder");
  qputenv("HOME", home.path().toLocal8Bit());
  qunsetenv("XDG_CONFIG_HOME");
  QApplication app(argc, argv);
  QApplication::setApplicationName("VARDEX Configurator");
  return Run(argv[1], home.path() + "/.vardex/dosdevices");
}
