// The real window and worker against vardex-sim: a saved file opened and
// written with verification, a device that keeps a page differently, the
// question before start-up values replace a device's configuration, the
// firmware file checks with the backup first, and closing with edits.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "e2e_window.h"
#include "sim_process.h"

namespace {

constexpr int kWait = 60000;

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct FileWindow : E2eWindow {
  FileWindow() {
    Verify(false);  // remembered between windows: each test starts without it
  }
  QString Status() const { return form.findChild<QLabel*>("StatusLine")->text(); }
  void Verify(bool on) { form.findChild<QCheckBox*>("VerifyAfterWrite")->setChecked(on); }
};

}  // namespace

class FileSafetyTest : public QObject {
  Q_OBJECT

 public:
  QTemporaryDir home_;
  QString LinkDir() const { return home_.path() + "/.vardex/dosdevices"; }
  QString TempFile(const QString& name) const { return home_.path() + "/" + name; }

 private slots:
  void initTestCase() {
    QApplication::setApplicationName("VARDEX Configurator");
    QStandardPaths::setTestModeEnabled(true);  // the recent files stay out of the user's own
    QVERIFY(home_.isValid());
    qputenv("HOME", home_.path().toLocal8Bit());
  }

  // Saved in one window, opened in another, written and read back.
  void aSavedFileIsOpenedWrittenAndVerified() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--save-image", TempFile("device.img")}));
    {
      FileWindow first;
      first.SetText("Edit1", "VX2ABC");
      QVERIFY(first.form.SaveConfiguration(TempFile("mine.img")));
      QVERIFY(first.form.windowTitle().endsWith(" - mine.img"));
    }
    FileWindow w;
    w.Verify(true);
    QVERIFY(w.form.OpenConfiguration(TempFile("mine.img")));
    QCOMPARE(w.Text("Edit1"), QString("VX2ABC"));
    QVERIFY(w.OpenCom(3));
    w.form.Button5Click();
    QVERIFY(w.boxes.asked.isEmpty());  // the values came from a file
    QTRY_COMPARE_WITH_TIMEOUT(
        w.Status(), QString("Write config: 16 pages written and verified on COM3."), kWait);
    const QByteArray saved = ReadFile(TempFile("device.img"));
    const QByteArray file = ReadFile(TempFile("mine.img"));
    QCOMPARE(saved.size(), 2048);
    for (int i = 4; i < 2048; ++i) {
      if (i < 320 || i >= 340)  // the clock follows the PC
        QVERIFY2(saved[i] == file[i], qPrintable(QString::number(i)));
    }
    // The pages were not touched by the read-back.
    QCOMPARE(w.Text("Edit1"), QString("VX2ABC"));
    QCOMPARE(w.shownImages.size(), 1);
  }

  void aPageTheDeviceKeepsDifferentlyIsNamed() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--store-differently", "2"}));
    FileWindow w;
    w.Verify(true);
    QVERIFY(w.OpenCom(3));
    w.form.Button5Click();
    QCOMPARE(w.boxes.asked.size(), 1);  // start-up values: answered "Replace configuration"
    QTRY_VERIFY2_WITH_TIMEOUT(w.Status().contains("verification failed"), qPrintable(w.Status()),
                              kWait);
    QCOMPARE(w.Status(),
             QString("Write config: verification failed: the device on COM3 holds page 2 (byte "
                     "272: [RTC/NTP time] NTP server) differently from what was sent."));
  }

  void startUpValuesReplaceADeviceOnlyWhenConfirmed() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--save-image", TempFile("kept.img")}));
    FileWindow w;
    QVERIFY(w.OpenCom(3));
    // Validation comes first, with its own message and no question.
    w.SetText("Edit2", "5");
    w.form.Button5Click();
    QCOMPARE(w.BoxTexts().last(), QString("Preamble len - range error (200 - 1000)."));
    QVERIFY(w.boxes.asked.isEmpty());
    w.SetText("Edit2", "300");

    w.boxes.answers = {1};  // Cancel
    w.form.Button5Click();
    QCOMPARE(w.boxes.asked.size(), 1);
    const auto& question = w.boxes.asked.first();
    QCOMPARE(question.defaultButton, 1);
    QCOMPARE(question.buttons, QStringList({"Replace configuration", "Cancel"}));
    QVERIFY2(question.text.contains("the start-up values") && question.text.contains("COM3"),
             qPrintable(question.text));
    // The station check's notes are mentioned, not asked about.
    QVERIFY2(question.detail.endsWith(" The station check has 8 notes on this configuration "
                                      "(Tools, Station check)."),
             qPrintable(question.detail));
    QTest::qWait(300);
    QVERIFY(w.LogLines().isEmpty());  // nothing sent
    QVERIFY(!QFile::exists(TempFile("kept.img")));

    // Read from this device: no question.
    w.form.Button4Click();
    QTRY_COMPARE_WITH_TIMEOUT(w.shownImages.size(), 1, kWait);
    QVERIFY(w.form.windowTitle().contains(" - the device on COM3 read at "));
    w.form.Button5Click();
    QCOMPARE(w.boxes.asked.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), 1, kWait);
  }

  void firmwareFilesAreCheckedAndBackedUpFirst() {
    SimProcess sim;
    QVERIFY(sim.Start(3, LinkDir(), {"--firmware-out", TempFile("fw.out")}));
    FileWindow w;
    QVERIFY(w.OpenCom(3));
    const int opened = w.boxes.shown.size();

    // Empty: refused, nothing asked, nothing sent.
    QVERIFY(WriteFirmwareFile(TempFile("empty.bin"), 0));
    w.chooser.path = TempFile("empty.bin");
    w.form.Button3Click();
    QCOMPARE(w.boxes.shown.size(), opened + 1);
    QCOMPARE(w.boxes.shown.last().caption, QString("File open error"));
    QCOMPARE(w.boxes.shown.last().text, QString("Firmware file is empty."));
    QVERIFY(w.boxes.asked.isEmpty());

    // A configuration image is named as such; Cancel sends nothing.
    QVERIFY(w.form.SaveConfiguration(TempFile("config.img")));
    w.chooser.path = TempFile("config.img");
    w.boxes.answers = {2};
    w.form.Button3Click();
    QCOMPARE(w.boxes.asked.size(), 1);
    QCOMPARE(w.boxes.asked.last().defaultButton, 2);
    QCOMPARE(w.boxes.asked.last().text,
             QString("Upload config.img (2048 bytes, 16 pages, about 1 s at 115200 baud) to the "
                     "device on COM3? This file is a configuration image, not a firmware."));
    QTest::qWait(300);
    QVERIFY(w.LogLines().isEmpty());

    // Back up, then upload: the backup holds the device's configuration
    // before a single firmware page goes out.
    QByteArray firmware(300, '\0');
    for (int i = 0; i < firmware.size(); ++i) firmware[i] = static_cast<char>(i * 31 + 7);
    QFile fw(TempFile("fw.bin"));
    QVERIFY(fw.open(QIODevice::WriteOnly) && fw.write(firmware) == 300);
    fw.close();
    w.chooser.path = TempFile("fw.bin");
    w.files.save = TempFile("backup.img");
    w.boxes.answers = {1};
    w.form.Button3Click();
    QCOMPARE(w.boxes.asked.last().text,
             QString("Upload fw.bin (300 bytes, 3 pages, about 1 s at 115200 baud) to the device "
                     "on COM3?"));
    // The file was read once, for the question: what is on disk by the time
    // the backup is saved is not read again.
    QVERIFY(WriteFirmwareFile(TempFile("fw.bin"), 300));
    QTRY_COMPARE_WITH_TIMEOUT(w.CountLine("Send finished."), 1, kWait);
    const QStringList log = w.LogLines();
    QVERIFY(log.indexOf("Eeprom read finished.") < log.indexOf("Firmware page sent [0]."));
    QCOMPARE(ReadFile(TempFile("backup.img")).size(), 2048);
    QVERIFY(w.form.OpenConfiguration(TempFile("backup.img")));
    QCOMPARE(w.Text("Edit1"), QString("VX1SIM"));  // the simulator's own station
    QCOMPARE(ReadFile(TempFile("fw.out")).left(300), firmware);
  }

  void closingWithEditsAsksFirst() {
    FileWindow w;
    w.form.show();
    w.SetText("Edit1", "VX9NEW");
    QVERIFY(w.form.windowTitle().endsWith(" - start-up values (edited)"));
    w.boxes.answers = {2};  // Cancel
    w.form.close();
    QVERIFY(w.form.isVisible());
    QCOMPARE(w.boxes.asked.size(), 1);
    QCOMPARE(w.boxes.asked.first().buttons, QStringList({"Save", "Discard", "Cancel"}));
    QCOMPARE(w.boxes.asked.first().defaultButton, 2);
    w.files.save = TempFile("kept-edits.img");
    w.boxes.answers = {0};  // Save
    w.form.close();
    QVERIFY(!w.form.isVisible());
    QVERIFY(w.form.OpenConfiguration(TempFile("kept-edits.img")));
    QCOMPARE(w.Text("Edit1"), QString("VX9NEW"));
  }
};

QTEST_MAIN(FileSafetyTest)
#include "file_safety_test.moc"
