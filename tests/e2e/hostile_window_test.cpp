// The real window and worker against ports that do not behave: every
// transfer must end up waiting, with the window responsive, no wrong image
// shown and no spinning worker.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "e2e_window.h"
#include "hostile_ports.h"

using vardex::testing::Hostility;
using vardex::testing::MemorySerialPort;

Q_DECLARE_METATYPE(Hostility)

class HostileWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    QApplication::setApplicationName("VARDEX Configurator");
    QVERIFY(dir_.isValid());
    QVERIFY(WriteFirmwareFile(dir_.path() + "/firmware.bin", 1000));
  }

  void everyTransferWaits_data() {
    QTest::addColumn<Hostility>("hostility");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("firstLine");
    const std::pair<const char*, Hostility> ports[] = {
        {"never answers", Hostility::kNeverAnswers},
        {"answers garbage", Hostility::kAnswersGarbage},
        {"answers a fragment", Hostility::kAnswersAFragment},
        {"reads fail", Hostility::kReadsFail}};
    for (const auto& [name, hostility] : ports) {
      QTest::addRow("%s, upload", name) << hostility << 3 << "Firmware page sent [0].";
      QTest::addRow("%s, write", name) << hostility << 5 << "Eeprom page sent [0].";
      QTest::addRow("%s, read", name) << hostility << 4 << "Eeprom read request, page [0].";
    }
  }

  void everyTransferWaits() {
    QFETCH(Hostility, hostility);
    QFETCH(int, button);
    QFETCH(QString, firstLine);
    E2eWindow w;
    std::shared_ptr<const MemorySerialPort::LastingCounters> port;
    w.form.Link().SetNameResolver([](const QString&) {
      return vardex::ComPortTarget{vardex::ComRoute::kSystemPort, "/dev/hostile"};
    });
    w.form.Link().SetPortFactory([&port, hostility] {
      auto made = vardex::testing::MakeHostilePort(hostility);
      port = made->Counters();
      return made;
    });
    w.chooser.path = dir_.path() + "/firmware.bin";
    w.SetText("Edit1", "N0CALL");
    w.SelectCom(2);
    w.form.Button1Click();
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});
    const QString callsignShown = w.Text("Edit1");

    QElapsedTimer clock;
    clock.start();
    if (button == 3)
      w.form.Button3Click();
    if (button == 4)
      w.form.Button4Click();
    if (button == 5)
      w.form.Button5Click();
    QTRY_VERIFY_WITH_TIMEOUT(w.CountLine(firstLine) >= 1, 30000);
    QTest::qWait(400);

    // The first frame goes three times at most: the device is asked again
    // twice, then the transfer waits.
    QVERIFY(w.CountLine(firstLine) <= 3);
    for (const QString& line : w.LogLines()) {
      QVERIFY2(line == firstLine || line == "Eeprom frame checksum error." ||
                   line == "Eeprom page data checksum error." ||
                   line.startsWith("No reply to page 0, asking again (") ||
                   line.startsWith("Damaged reply to page 0, asking again ("),
               qPrintable(line));
    }
    QVERIFY(w.shownImages.isEmpty());
    QCOMPARE(w.Text("Edit1"), callsignShown);
    QCOMPARE(w.ProgressValue(), 0);
    QCOMPARE(w.BoxTexts(), QStringList{kOpened});
    if (hostility != Hostility::kAnswersGarbage) {
      // At most one read per poll time-out (129 ms) plus the wakes and the
      // shorter polls that end where the device is asked again.
      const qint64 polls = clock.elapsed() / 129;
      QVERIFY2(port->reads.load() <= polls + 9, qPrintable(QString::number(port->reads.load())));
    }

    // The window still answers: its event loop runs, and the buttons work.
    bool timerRan = false;
    QTimer::singleShot(0, &w.form, [&timerRan] { timerRan = true; });
    QTRY_VERIFY_WITH_TIMEOUT(timerRan, 5000);
    w.form.Button4Click();
    w.form.Button2Click();
    w.boxes.answers = {1};  // the callsign typed above is dropped: "Discard"
    w.form.close();
    QCOMPARE(port->closes.load(), 1);
  }
};

QTEST_MAIN(HostileWindowTest)
#include "hostile_window_test.moc"
