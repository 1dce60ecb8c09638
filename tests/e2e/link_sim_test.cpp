// The real window and worker against vardex-sim over a pseudo-terminal.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <thread>

#include "e2e_window.h"
#include "sim_process.h"

namespace {

constexpr int kWait = 60000;  // bounds every wait; generous for ThreadSanitizer

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ImageBytes(const vardex::ConfigImage& image) {
  return QByteArray(reinterpret_cast<const char*>(image.bytes.data()),
                    static_cast<qsizetype>(image.bytes.size()));
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray PatternFile(int size, int seed) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed + i / 256) & 0xFF);
  return bytes;
}

}  // namespace

class LinkSimTest : public QObject {
  Q_OBJECT

 public:
  QTemporaryDir home_;
  QString LinkDir() const { return home_.path() + "/.vardex/dosdevices"; }
  QString TempFile(const QString& name) const { return home_.path() + "/" + name; }

  // Writes the window's settings (callsign `callsign`) and waits for the end.
  static void WriteConfig(E2eWindow& w, const QString& callsign) {
    w.SetText("Edit1", callsign);
    const int boxes = w.boxes.shown.size();
    const int finished = w.CountLine("Send finished.");
    w.form.Button5Click();
    QCOMPARE(w.boxes.shown.size(), boxes);  // no validation message
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), finished + 1, kWait);
  }

 private slots:
  void initTestCase() {
    QApplication::setApplicationName("VARDEX Configurator");
    QVERIFY(home_.isValid());
    // The link directory lives under HOME; the user's own must stay untouched.
    qputenv("HOME", home_.path().toLocal8Bit());
  }

  void writeThenReadBackIsByteIdentical() {
    SimProcess sim;
    QVERIFY2(sim.Start(3, LinkDir(), {"--save-image", TempFile("saved.img")}),
             qPrintable(sim.errors()));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    WriteConfig(w, "N0CALL");
    QCOMPARE(w.ProgressMaximum(), 16);
    QTRY_COMPARE_WITH_TIMEOUT(w.ProgressValue(), 16, kWait);
    QCOMPARE(ReadFile(TempFile("saved.img")), ImageBytes(w.form.WriteImage()));
    const QStringList writeLog = w.LogLines();
    QCOMPARE(writeLog.first(), QString("Eeprom page sent [0]."));
    QCOMPARE(writeLog.at(1), QString("Page receive ack."));
    QCOMPARE(writeLog.at(30), QString("Eeprom page sent [15]."));
    QCOMPARE(writeLog.size(), 33);

    w.SetText("Edit1", "XX9XX");
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    QCOMPARE(ImageBytes(w.shownImages.first()), ImageBytes(w.form.WriteImage()));
    QCOMPARE(w.Text("Edit1"), QString("N0CALL"));
    const QStringList readLog = w.LogLines().mid(33);
    QCOMPARE(readLog.first(), QString("Eeprom read request, page [0]."));
    QCOMPARE(readLog.at(1), QString("Eeprom page received."));
    QCOMPARE(readLog.at(2), QString("Eeprom read request, page [1]."));
    QCOMPARE(readLog.at(readLog.size() - 2), QString("Eeprom page received."));
    QCOMPARE(readLog.last(), QString("Eeprom read finished."));
    QCOMPARE(readLog.size(), 33);
    QCOMPARE(w.ProgressValue(), 16);
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});
  }

  // The simulator's own image reads into every page and goes back out
  // without a single complaint: the tool's decoder and checks agree with it.
  void builtInImageReadsAndWritesBackUnchanged() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--save-image", TempFile("factory.img")}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Eeprom read finished."), 1, kWait);
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);

    const QList<QPair<const char*, QString>> edits = {
        {"Edit1", "VX1SIM"},
        {"Edit44", "2"},
        {"Edit2", "300"},
        {"Edit3", "500"},
        {"Edit4", "5005.32N"},
        {"Edit8", "30"},
        {"Pathn2_name", "SP"},
        {"Pathn2_higher", "3"},
        {"Beacon1_msg", "@<date>z<lat>/<long>-VX1SIM VARDEX simulator"},
        {"Beacon1_txrate_rf", "30"},
        {"Edit9", "192"},
        {"Edit12", "50"},
        {"Edit21", "rotate.aprs2.net"},
        {"Edit39", "23972"},
        {"Weather_comment", "VX1SIM weather station"},
        {"Edit28", "europe.pool.ntp.org"},
        {"www_user", "sysop"},
        {"www_port", "8080"},
        {"telnet_port", "2323"},
        {"Edit71", "Vbat"},
        {"Edit90", "-64"},
        {"Teleparams_txrate_rf", "120"},
    };
    for (const auto& [name, text] : edits) {
      const auto* edit = w.form.findChild<QLineEdit*>(name);
      QVERIFY2(edit, name);
      QCOMPARE(edit->text(), text);
    }
    const QList<QPair<const char*, int>> lists = {
        {"ComboBox19", 1}, {"ComboBox20", 1}, {"Weather_stationtype", 7},
        {"ComboBox26", 1}, {"ComboBox22", 5}, {"ComboBox33", 1},
    };
    for (const auto& [name, index] : lists) {
      const auto* list = w.form.findChild<QComboBox*>(name);
      QVERIFY2(list, name);
      QCOMPARE(list->currentIndex(), index);
    }

    const int finished = w.CountLine("Send finished.");
    w.form.Button5Click();
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});  // no field was refused
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), finished + 1, kWait);
    // Written back as read, apart from the clock the tool sets from the PC
    // (bytes 320 to 339) and so the checksum (bytes 0 to 3).
    const QByteArray served = ImageBytes(w.shownImages.first());
    const QByteArray saved = ReadFile(TempFile("factory.img"));
    QCOMPARE(saved.size(), 2048);
    QCOMPARE(saved.mid(4, 316), served.mid(4, 316));
    QCOMPARE(saved.mid(340), served.mid(340));
  }

  void firmwareArrivesByteIdentical_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("300 bytes") << 300;
    QTest::newRow("256 bytes") << 256;
    QTest::newRow("largest file") << 237568;
  }
  void firmwareArrivesByteIdentical() {
    QFETCH(int, size);
    SimProcess sim;
    const QString out = TempFile("firmware.out");
    QFile::remove(out);
    QVERIFY(sim.Start(3, LinkDir(), {"--firmware-out", out}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    // An earlier, longer file must not leak into the last page.
    const QByteArray longer = PatternFile(size + 200 > 237568 ? 237568 : size + 200, 99);
    const QByteArray firmware = PatternFile(size, 7);
    QVERIFY(WriteFile(TempFile("longer.bin"), longer));
    QVERIFY(WriteFile(TempFile("firmware.bin"), firmware));
    w.chooser.path = TempFile("longer.bin");
    w.form.Button3Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), 1, kWait);
    w.chooser.path = TempFile("firmware.bin");
    w.form.Button3Click();
    const int pages = (size + 127) / 128;
    QCOMPARE(w.ProgressMaximum(), pages);
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), 2, kWait);
    QTRY_COMPARE_WITH_TIMEOUT(w.ProgressValue(), pages, kWait);
    QByteArray expected = firmware;
    expected.append(QByteArray(pages * 128 - size, '\0'));
    const QByteArray arrived = ReadFile(out);
    QCOMPARE(arrived.left(pages * 128), expected);
    QCOMPARE(w.CountLine(QString("Firmware page sent [%1].").arg(pages - 1)) >= 1, true);
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});
  }

  void firmwareFileProblemsShowTitledBoxes() {
    E2eWindow w;
    w.chooser.path.reset();  // cancelled
    w.form.Button3Click();
    QVERIFY(w.boxes.shown.isEmpty());
    w.chooser.path = TempFile("no-such-file.bin");
    w.form.Button3Click();
    QVERIFY(WriteFile(TempFile("too-long.bin"), QByteArray(237569, '\x01')));
    w.chooser.path = TempFile("too-long.bin");
    w.form.Button3Click();
    QCOMPARE(w.boxes.shown.size(), 2);
    QCOMPARE(w.boxes.shown[0].style, QString("titled"));
    QCOMPARE(w.boxes.shown[0].caption, QString("File open error"));
    QCOMPARE(w.boxes.shown[0].text, QString("File open error."));
    QCOMPARE(w.boxes.shown[1].caption, QString("File open error"));
    QCOMPARE(w.boxes.shown[1].text, QString("Firmware file too long."));
    QCOMPARE(w.ProgressMaximum(), 100);  // nothing was posted
  }

  void noiseBetweenFramesIsSkipped() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--noise", "40", "--fragment", "7"}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    WriteConfig(w, "N1NOIS");
    w.SetText("Edit1", "");
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    QCOMPARE(ImageBytes(w.shownImages.first()), ImageBytes(w.form.WriteImage()));
    QCOMPARE(w.Text("Edit1"), QString("N1NOIS"));
  }

  // A damaged or lost reply is asked for again: each transfer completes by
  // itself, with one line for each time the device was asked again, and no
  // wrong image is ever shown.
  void damagedPageDataIsAskedForAgain() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--corrupt-data", "3"}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    QVERIFY(vardex::ImageChecksumHolds(w.shownImages.first()));
    const QStringList log = w.LogLines();
    const qsizetype error = log.indexOf("Eeprom page data checksum error.");
    QVERIFY(error > 0);
    QCOMPARE(log.mid(error, 4),
             (QStringList{"Eeprom page data checksum error.",
                          "Damaged reply to page 2, asking again (2 of 3).",
                          "Eeprom read request, page [2].", "Eeprom page received."}));
    QCOMPARE(w.CountLine("Eeprom read finished."), 1);
  }

  void damagedDataHeaderIsAskedForAgain() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--corrupt-header", "5"}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    QCOMPARE(w.CountLine("Eeprom frame checksum error."), 1);
    QCOMPARE(w.CountLine("Damaged reply to page 4, asking again (2 of 3)."), 1);
    QCOMPARE(w.CountLine("Eeprom read request, page [4]."), 2);
  }

  void lostAcknowledgementIsAskedForAgain() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--drop", "5", "--save-image", TempFile("drop.img")}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    w.SetText("Edit1", "N2DROP");
    w.form.Button5Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), 1, kWait);
    QCOMPARE(w.CountLine("No reply to page 4, asking again (2 of 3)."), 1);
    QCOMPARE(w.CountLine("Eeprom page sent [4]."), 2);
    QCOMPARE(w.CountLine("Eeprom page sent [5]."), 1);
    QCOMPARE(ReadFile(TempFile("drop.img")), ImageBytes(w.form.WriteImage()));
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    QCOMPARE(ImageBytes(w.shownImages.first()), ImageBytes(w.form.WriteImage()));
  }

  void pagesNumberedBeyondTheImageAreNeverTaken() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--bad-page-number"}));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    const QString before = w.Text("Edit1");
    w.form.Button4Click();
    // Such a page is no reply: page 0 is asked for three times, then the
    // read waits.
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Eeprom read request, page [0]."), 3, kWait);
    QTest::qWait(1000);
    QCOMPARE(
        w.LogLines(),
        (QStringList{"Eeprom read request, page [0].", "No reply to page 0, asking again (2 of 3).",
                     "Eeprom read request, page [0].", "No reply to page 0, asking again (3 of 3).",
                     "Eeprom read request, page [0]."}));
    QVERIFY(w.shownImages.isEmpty());
    QCOMPARE(w.Text("Edit1"), before);
  }

  // A device that floods acknowledgements in the middle of a read, faster
  // than this window shows them: the window's event loop keeps turning while
  // reports wait, the hand-over and the log pane stay bounded, and once the
  // flood is over a read fills the pages from the device's image.
  void ackFloodDuringAReadLeavesTheWindowResponsive() {
    vardex::ConfigImage image;
    for (std::size_t i = 4; i < image.bytes.size(); ++i)
      image.bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    vardex::StoreImageChecksum(image);
    QVERIFY(WriteFile(TempFile("flood.img"), ImageBytes(image)));
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(),
                      {"--image", TempFile("flood.img"), "--flood", "ack", "--flood-rate",
                       "1000000", "--flood-after", "3", "--flood-for", "2"}));
    E2eWindow w;
    int delivered = 0;
    // A slow window: 0.2 ms a line, 5000 lines a second against the 25000
    // that the flood makes.
    QObject::connect(&w.form.Link(), &vardex::DeviceLink::LogLine, &w.form, [&delivered] {
      ++delivered;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    });
    QVERIFY(w.OpenCom(3));
    w.form.Button4Click();
    QTRY_VERIFY_WITH_TIMEOUT(delivered > 2000, kWait);

    // Timers run while reports still wait: delivery leaves the loop turning.
    int turnsWithReportsWaiting = 0;
    for (int turn = 0; turn < 200 && turnsWithReportsWaiting < 3; ++turn) {
      bool ran = false;
      QTimer::singleShot(0, &w.form, [&] {
        ran = true;
        if (w.form.Link().Reports().Size() > 0)
          ++turnsWithReportsWaiting;
      });
      QTRY_VERIFY_WITH_TIMEOUT(ran, kWait);
    }
    QCOMPARE(turnsWithReportsWaiting, 3);

    for (int last = -1; last != delivered;) {  // until the flood is over
      last = delivered;
      QTest::qWait(500);
    }
    QVERIFY(w.form.Link().Reports().HighWater() <= 1024u);
    QVERIFY(w.form.findChild<QPlainTextEdit*>("Memo1")->document()->blockCount() <= 20000);

    const qsizetype shown = w.shownImages.size();
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), shown + 1, kWait);
    QCOMPARE(ImageBytes(w.shownImages.last()), ImageBytes(image));
    const QStringList log = w.LogLines();
    const QStringList readLog = log.mid(log.size() - 33);
    QCOMPARE(readLog.first(), QString("Eeprom read request, page [0]."));
    QCOMPARE(readLog.at(1), QString("Eeprom page received."));
    QCOMPARE(readLog.at(2), QString("Eeprom read request, page [1]."));
    QCOMPARE(readLog.at(31), QString("Eeprom page received."));
    QCOMPARE(readLog.last(), QString("Eeprom read finished."));
    QCOMPARE(w.ProgressValue(), 16);
  }

  void readPostedBeforeOpenRunsOnceThePortIsOpen() {
    SimProcess sim;
    QVERIFY(sim.Start(4, LinkDir()));
    E2eWindow w;
    w.form.Button4Click();
    QTest::qWait(100);
    QVERIFY(w.LogLines().isEmpty());
    QVERIFY(w.OpenCom(4));
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
  }

  void closePortThenOpenAgain() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir()));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    w.form.Button2Click();
    w.form.Button2Click();  // a second close does no harm
    QVERIFY(w.OpenCom(3));
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    w.form.Button2Click();
    w.form.Button4Click();  // waits for the next open
    QTest::qWait(200);
    QCOMPARE(w.CountLine("Eeprom read finished."), 1);
    QVERIFY(w.OpenCom(3));
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 2, kWait);
  }

  void secondOpenOfTheSamePortFailsAndTheFirstGoesOn() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir()));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), (QStringList{kOpened, kOpenError}));
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
  }

  void openingAnotherPortEndsTheFirstWorker() {
    SimProcess first;
    SimProcess second;
    QVERIFY(first.Start(3, LinkDir(), {"--save-image", TempFile("first.img")}));
    QVERIFY(second.Start(4, LinkDir(), {"--save-image", TempFile("second.img")}));
    QFile::remove(TempFile("first.img"));
    QFile::remove(TempFile("second.img"));
    E2eWindow w;
    QVERIFY(w.OpenCom(3));
    QVERIFY(w.OpenCom(4));
    WriteConfig(w, "N4SWAP");
    QVERIFY(QFile::exists(TempFile("second.img")));
    QVERIFY(!QFile::exists(TempFile("first.img")));
    E2eWindow other;  // COM3 was released by the ended worker
    QVERIFY(other.OpenCom(3));
  }

  void portsWithoutADeviceOrNameFailToOpen() {
    E2eWindow w;
    w.SelectCom(8);  // no link, and no eighth system port here
    w.form.Button1Click();
    w.SetComText("COM10");
    w.form.Button1Click();
    w.SetComText("com3");
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), (QStringList{kOpenError, kOpenError, kOpenError}));
  }

  void shownTextOpensWithoutASelection() {
    SimProcess sim;
    QVERIFY(sim.Start(5, LinkDir()));
    E2eWindow w;
    w.SetComText("COM5");
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});
  }

  void textTypedOverASelectionIsThePortOpened() {
    SimProcess sim;
    QVERIFY(sim.Start(7, LinkDir()));
    E2eWindow w;
    w.SelectCom(3);  // no device behind COM3
    w.form.findChild<QComboBox*>("ComboBox2")->setEditText("COM7");
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});

    E2eWindow other;
    other.SelectCom(7);
    other.form.findChild<QComboBox*>("ComboBox2")->setEditText("COM77");
    other.form.Button1Click();
    QCOMPARE(other.BoxTexts(), QStringList{kOpenError});
  }

  void closingTheWindowReleasesThePort() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir()));
    {
      E2eWindow w;
      QVERIFY(w.OpenCom(3));
      w.form.close();
      E2eWindow other;
      QVERIFY(other.OpenCom(3));
    }
    E2eWindow again;  // and destroying it does too
    QVERIFY(again.OpenCom(3));
  }

  void comListHintShowsWhatEachNameOpens() {
    SimProcess sim;
    QVERIFY(sim.Start(6, LinkDir()));
    E2eWindow w;
    auto* ports = w.form.findChild<QWidget*>("ComboBox2");
    QHelpEvent event(QEvent::ToolTip, QPoint(1, 1), ports->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(ports, &event);
    const QStringList lines = ports->toolTip().split('\n');
    QCOMPARE(lines.size(), 9);
    QVERIFY2(lines[5].startsWith("COM6: " + sim.slavePath()), qPrintable(lines[5]));
  }
};

QTEST_MAIN(LinkSimTest)
#include "link_sim_test.moc"
