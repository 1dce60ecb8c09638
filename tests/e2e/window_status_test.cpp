// The window's status line, its close question and its open-error reasons,
// with the real worker on ports in memory.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>

#include "e2e_window.h"
#include "hostile_ports.h"
#include "status_line.h"
#include "test_device.h"

using namespace std::chrono_literals;
using vardex::testing::Hostility;
using vardex::testing::MemorySerialPort;

namespace {

const QString kNoPort = "No port open: choose the COM port and press \"Open port\".";

// A clock the test moves by hand; the worker reads it too.
struct HandClock {
  std::atomic<vardex::LinkStatus::Clock::time_point> now{};
  vardex::StatusLineController::NowFunction Function() {
    return [this] { return now.load(); };
  }
  void Advance(std::chrono::milliseconds by) { now = now.load() + by; }
};

// The window on COM1, which leads to /dev/test, and the ports it opened.
struct StatusWindow : E2eWindow {
  HandClock clock;
  vardex::testing::TestDevice device;
  MemorySerialPort* port = nullptr;  // the last port made; the worker owns it

  explicit StatusWindow(std::function<std::unique_ptr<MemorySerialPort>(StatusWindow&)> make) {
    form.StatusLine().SetClock(clock.Function());
    form.Link().SetClock(clock.Function());
    form.Link().SetNameResolver([](const QString&) {
      return vardex::ComPortTarget{vardex::ComRoute::kSystemPort, "/dev/test"};
    });
    form.Link().SetPortFactory([this, make] {
      auto made = make(*this);
      port = made.get();
      return made;
    });
  }
  QString Status() const { return form.findChild<QLabel*>("StatusLine")->text(); }
  QString ProgressText() const { return form.findChild<QProgressBar*>("ProgressBar1")->text(); }
  std::size_t WrittenBytes() const { return port->Written().size(); }
};

std::unique_ptr<MemorySerialPort> DevicePort(StatusWindow& w) {
  return std::make_unique<MemorySerialPort>(w.device.Responder());
}

std::unique_ptr<MemorySerialPort> SilentPort(StatusWindow&) {
  return vardex::testing::MakeHostilePort(Hostility::kNeverAnswers);
}

}  // namespace

class WindowStatusTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    QApplication::setApplicationName("VARDEX Configurator");
    QVERIFY(dir_.isValid());
    QVERIFY(WriteFirmwareFile(dir_.path() + "/firmware.bin", 300));  // pages 0, 1 and 2
  }

  void statusLineThroughAWholeRead() {
    StatusWindow w(DevicePort);
    QCOMPARE(w.Status(), kNoPort);
    w.SelectCom(1);
    w.form.Button1Click();
    QCOMPARE(w.Status(), QString("COM1 (/dev/test) is open."));
    w.form.Button4Click();
    QCOMPARE(w.Status(), QString("Read config: page 1 of 16 on COM1 (/dev/test)."));
    QTRY_COMPARE(w.Status(), QString("Read config finished: 16 of 16 pages."));
    QCOMPARE(w.ProgressText(), QString("16 of 16 pages"));
    QCOMPARE(w.shownImages.size(), 1);
  }

  void readOfAnImageWithAWrongChecksum() {
    StatusWindow w(DevicePort);
    w.device.image[100] = 1;  // the stored checksum stays 0
    w.SelectCom(1);
    w.form.Button1Click();
    w.form.Button4Click();
    QTRY_COMPARE(w.Status(),
                 QString("Read config: the image read from the device has a wrong checksum, so "
                         "the pages were left as they were. A new or erased device holds none: "
                         "write the start-up values or a file (there is nothing to back up), "
                         "then read again."));
    QVERIFY(w.shownImages.isEmpty());
  }

  void silentDeviceGetsTheNoticeAndNothingIsSentAgain() {
    StatusWindow w(SilentPort);
    w.SelectCom(1);
    w.form.Button1Click();
    w.form.Button4Click();
    QTRY_COMPARE(w.WrittenBytes(), std::size_t{8});  // the request for page 0
    // The worker looks at the silence after each poll.
    w.clock.Advance(2999ms);
    int reads = w.port->Counters()->reads;
    QTRY_VERIFY(w.port->Counters()->reads >= reads + 2);
    QCoreApplication::processEvents();
    QCOMPARE(w.Status(), QString("Read config: page 1 of 16 on COM1 (/dev/test)."));
    w.clock.Advance(1ms);
    const QString notice =
        "No reply from the device for 3 s while waiting for page 1 of 16: check the cable, the "
        "COM port and that the device is in config mode, then press \"Read config\" again.";
    // The worker's next poll reports it; a loaded machine may take a while.
    QTRY_COMPARE_WITH_TIMEOUT(w.Status(), notice, 20000);
    // The transfer goes on waiting: the worker polls on and sends nothing.
    reads = w.port->Counters()->reads;
    QTRY_VERIFY(w.port->Counters()->reads >= reads + 3);
    QCOMPARE(w.WrittenBytes(), std::size_t{8});
    QCOMPARE(w.LogLines(), QStringList{"Eeprom read request, page [0]."});
    QCOMPARE(w.Status(), notice);
  }

  void requestPostedWithNoPortOpenStartsWithThePort() {
    StatusWindow w(DevicePort);
    w.form.Button4Click();
    QCOMPARE(w.Status(), QString("Read config waits for an open port: choose the COM port and "
                                 "press \"Open port\"."));
    w.clock.Advance(10s);  // waiting for a port is no silence of the device
    QVERIFY(w.Status().startsWith("Read config waits"));
    w.SelectCom(1);
    w.form.Button1Click();
    QTRY_COMPARE(w.Status(), QString("Read config finished: 16 of 16 pages."));
  }

  // A write asked for COM1 while no port is open must not reach the device
  // that is opened next as COM2.
  void writeWaitingForOnePortIsDroppedWhenAnotherOpens() {
    StatusWindow w(DevicePort);
    w.SelectCom(1);
    w.form.Button5Click();  // start-up values: asked, answered "Replace configuration"
    QVERIFY(w.boxes.asked.last().text.contains("the device on COM1 with them"));
    QVERIFY(w.Status().startsWith("Write config waits for an open port"));
    w.SelectCom(2);
    w.form.Button1Click();
    QCOMPARE(w.Status(),
             QString("Write config was meant for COM1 and was dropped: COM2 was opened."));
    QTest::qWait(200);
    QVERIFY(w.port->Written().empty());
  }

  void deviceThatVanishesUnderAnOpenPort() {
    StatusWindow w(DevicePort);
    w.SelectCom(1);
    w.form.Button1Click();
    w.port->FailReads();
    QTRY_COMPARE(w.Status(),
                 QString("COM1 (/dev/test) has stopped working: the adapter was unplugged or lost "
                         "power. Plug it in again, press \"Close port\", then \"Open port\"."));
    w.form.Button2Click();
    QCOMPARE(w.Status(), kNoPort);
  }

  void closingAsksOnlyDuringAWriteOrAnUpload() {
    struct Case {
      const char* what;
      int button;  // 0: none, 3: upload, 4: read, 5: write
      QString question;
    };
    const QList<Case> cases = {
        {"idle", 0, {}},
        {"reading", 4, {}},
        {"uploading", 3,
         "A firmware upload is running (page 1 of 3). Closing now leaves the device without a "
         "complete firmware. Close anyway?"},
        {"writing", 5,
         "A config write is running (page 1 of 16). Closing now leaves the device with an "
         "incomplete configuration. Close anyway?"},
    };
    for (const Case& c : cases) {
      StatusWindow w(SilentPort);
      w.chooser.path = dir_.path() + "/firmware.bin";
      w.form.show();
      w.SelectCom(1);
      w.form.Button1Click();
      if (c.button == 3)
        w.form.Button3Click();
      if (c.button == 4)
        w.form.Button4Click();
      if (c.button == 5)
        w.form.Button5Click();
      w.boxes.shown.clear();
      w.form.close();
      if (c.question.isEmpty()) {
        QVERIFY2(w.boxes.shown.isEmpty(), c.what);
        QVERIFY2(!w.form.isVisible(), c.what);
        continue;
      }
      // The default answer keeps the transfer running.
      QCOMPARE(w.boxes.shown.size(), 1);
      QCOMPARE(w.boxes.shown[0].style, QString("question"));
      QCOMPARE(w.boxes.shown[0].text, c.question);
      QVERIFY2(w.form.isVisible(), c.what);
      QVERIFY(w.form.Link().WorkerRunning());
      w.boxes.closeAnyway = true;
      w.form.close();
      QVERIFY2(!w.form.isVisible(), c.what);
      QVERIFY(!w.form.Link().WorkerRunning());
    }
  }

  void openErrorsKeepTheirTextAndAddTheReason() {
    struct Case {
      const char* what;
      vardex::ComRoute route;
      bool exists;
      bool accessible;
      QString detail;  // the start of the box's second text
    };
    const QList<Case> cases = {
        {"permission", vardex::ComRoute::kSystemPort, true, false,
         "Permission denied for COM1 (/dev/ttyUSB0). Allow yourself to use serial ports with\n"
         "sudo usermod -aG dialout $USER\nthen log out and log in again."},
        {"busy", vardex::ComRoute::kLink, true, true,
         "COM1 (/dev/ttyUSB0) is in use by another program. Close that program, then press "
         "\"Open port\" again."},
        {"missing", vardex::ComRoute::kNoPort, false, false,
         "COM1 is not linked to any device. Plug in the adapter, or link the name to it (for "
         "example: vardex link COM1 /dev/ttyUSB0).\nThe COM names lead to:\nCOM1"},
        {"dangling link", vardex::ComRoute::kDanglingLink, false, false,
         "COM1 is linked to /dev/ttyUSB0, which is not present: plug the adapter in, or change "
         "the link ("},
        {"refused link folder", vardex::ComRoute::kLinkDirectoryRefused, true, true,
         "COM1 is linked to /dev/ttyUSB0, but others may change "},
        {"gone after it was listed", vardex::ComRoute::kSystemPort, false, false,
         "The device behind COM1 (/dev/ttyUSB0) is gone. Plug the adapter in again, wait a "
         "moment, then press \"Open port\"."},
    };
    for (const Case& c : cases) {
      E2eWindow w;
      w.form.Link().SetNameResolver([&c](const QString&) {
        return vardex::ComPortTarget{c.route,
                                     c.route == vardex::ComRoute::kNoPort ? "" : "/dev/ttyUSB0"};
      });
      w.form.Link().SetPortFactory(
          [] { return std::make_unique<MemorySerialPort>(MemorySerialPort::Responder{}, false); });
      w.form.Link().SetFailureProbe([&c](const std::string& path, vardex::PortFacts& f) {
        QCOMPARE(path, std::string("/dev/ttyUSB0"));
        f.exists = c.exists;
        f.accessible = c.accessible;
      });
      w.SelectCom(1);
      w.form.Button1Click();
      QCOMPARE(w.boxes.shown.size(), 1);
      QCOMPARE(w.boxes.shown[0].style, QString("information"));
      QCOMPARE(w.boxes.shown[0].text, kOpenError);
      QVERIFY2(w.boxes.shown[0].detail.startsWith(c.detail),
               qPrintable(QString("%1: %2").arg(c.what, w.boxes.shown[0].detail)));
      QVERIFY(!w.form.Link().WorkerRunning());
    }
  }

  void secondOpenOfTheSamePortSaysThisProgramHasIt() {
    E2eWindow w;
    std::atomic<bool> held{false};
    w.form.Link().SetNameResolver([](const QString&) {
      return vardex::ComPortTarget{vardex::ComRoute::kSystemPort, "/dev/ttyUSB0"};
    });
    // The device opens once: exclusively.
    w.form.Link().SetPortFactory([&held] {
      return std::make_unique<MemorySerialPort>(MemorySerialPort::Responder{},
                                                !held.exchange(true));
    });
    w.SelectCom(1);
    w.form.Button1Click();
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), QStringList({kOpened, kOpenError}));
    QCOMPARE(w.boxes.shown[0].detail, QString());
    QCOMPARE(w.boxes.shown[1].detail,
             QString("COM1 (/dev/ttyUSB0) is already open in this program. Go on using it, or "
                     "press \"Close port\" before opening it again."));
    QVERIFY(w.form.Link().WorkerRunning());
  }

  void textTypedOverTheListIsNoComName() {
    E2eWindow w;
    w.SetComText("COM10");
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), QStringList{kOpenError});
    QCOMPARE(w.boxes.shown[0].detail,
             QString("\"COM10\" is not a port this program can open: choose COM1 to COM9 from "
                     "the list."));
  }
};

QTEST_MAIN(WindowStatusTest)
#include "window_status_test.moc"
