// Configuration files in the window: what is saved comes back field for
// field in both forms, a file that is neither form leaves the pages alone,
// a failed rule saves nothing, and edits are marked and put back.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "../config/sample_images.h"
#include "Unit1.h"
#include "change_tracker.h"
#include "changes_dialog.h"
#include "config_driver.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

namespace {

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Bytes(const vardex::ConfigImage& image) {
  return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), 2048);
}

}  // namespace

class ConfigFilesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Path(const QString& name) const { return dir_.path() + "/" + name; }

 private slots:
  void initTestCase() {
    QApplication::setApplicationName("VARDEX Configurator");
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir_.isValid());
  }

  // Every field of every page, through each form and back.
  void savedFilesOpenToTheSameImage() {
    vardex::ConfigImage varied;
    QVERIFY(vardex::BuildConfigImage(vardex::testing::VariedSettings(), varied).Succeeded());
    for (const char* name : {"varied.img", "varied.txt"}) {
      SettableLocalTime clock(2026, 3, 7, 9, 5);
      RecordingMessageBoxes boxes;
      TForm1 saving(&boxes, nullptr, &clock);
      saving.ShowConfigImage(varied);
      QVERIFY(saving.SaveConfiguration(Path(name)));
      TForm1 opening(&boxes, nullptr, &clock);
      QVERIFY(opening.OpenConfiguration(Path(name)));
      QVERIFY(opening.BuildConfigImage());
      QCOMPARE(Bytes(opening.WriteImage()), Bytes(saving.WriteImage()));
      QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.shown.value(0).text));
      // Apart from the clock, which follows the PC, the file is the image read.
      const QByteArray saved = Bytes(saving.WriteImage());
      const QByteArray expected = Bytes(varied);
      for (int i = 4; i < 2048; ++i) {
        if (i < 320 || i >= 340)
          QVERIFY2(saved[i] == expected[i], qPrintable(QString("%1: byte %2").arg(name).arg(i)));
      }
    }
    QVERIFY(ReadFile(Path("varied.txt")).contains("\n[Radio]\n"));
    QCOMPARE(ReadFile(Path("varied.img")).size(), 2048);
  }

  void filesThatAreNoConfigurationLeaveThePagesAsTheyWere() {
    vardex::ConfigImage badSum;
    badSum.bytes[4] = 0x41;
    const struct {
      const char* name;
      QByteArray contents;
      QString detail;
    } cases[] = {
        {"sum.img", Bytes(badSum),
         "sum.img: checksum error (bytes 0 to 3 hold 0x00000000, bytes 4 to 1551 add up to "
         "0x00000041): the device would refuse it as well, so the pages stay as they are."},
        {"short.bin", QByteArray(100, '\0'),
         "short.bin is neither a configuration image (2048 bytes, this file has 100) nor a text "
         "form."},
        {"words.txt", "[Radio]\nCallsign = VX1ABC\nTX delay [ms] = 5\n",
         "words.txt: Preamble len - range error (200 - 1000)."},
        {"bell.txt",
         "[Radio]\nCallsign = VX\x07"
         "ABC\n",
         "bell.txt:2: control character \\x07 in column 14 (a value may hold one written as "
         "\\xHH in double quotes)"},
    };
    for (const auto& c : cases) {
      QVERIFY(WriteFile(Path(c.name), c.contents));
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      Child<QLineEdit>(&form, "Edit1")->setText("KEEPME");
      QVERIFY(!form.OpenConfiguration(Path(c.name)));
      QCOMPARE(boxes.shown.size(), 1);
      QCOMPARE(boxes.shown[0].text, QString("The configuration was not opened."));
      QCOMPARE(boxes.shown[0].detail, c.detail);
      QCOMPARE(Child<QLineEdit>(&form, "Edit1")->text(), QString("KEEPME"));
    }
  }

  // Save validates as "Write config" does; a failed rule keeps the old file.
  void aFailedRuleSavesNothing() {
    QVERIFY(WriteFile(Path("old.img"), "an older file"));
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QLineEdit>(&form, "Edit2")->setText("5");
    QVERIFY(!form.SaveConfiguration(Path("old.img")));
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QString("Preamble len - range error (200 - 1000)."));
    QCOMPARE(ReadFile(Path("old.img")), QByteArray("an older file"));
  }

  void editsAreMarkedCountedAndPutBack() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    auto* call = Child<QLineEdit>(&form, "Edit1");
    auto* ptt = Child<QComboBox>(&form, "ComboBox19");
    auto* upload = Child<QCheckBox>(&form, "CheckBox21");
    const QString call0 = call->text();
    call->setText("VX7XYZ");
    ptt->setCurrentIndex(1);
    upload->setChecked(!upload->isChecked());  // the PC's own choice: not a change
    QCOMPARE(form.Changes().Count(), 2);
    QCOMPARE(call->accessibleDescription(), QString("Changed, was \"%1\"").arg(call0));
    QVERIFY(!call->styleSheet().isEmpty());
    QVERIFY(upload->accessibleDescription().isEmpty());

    vardex::ChangesDialog list(form.Changes());
    QCOMPARE(list.List()->topLevelItemCount(), 2);
    QCOMPARE(list.List()->topLevelItem(0)->text(1), QString("Callsign"));
    QCOMPARE(list.List()->topLevelItem(0)->text(3), QString("VX7XYZ"));
    form.Changes().Revert(call);
    QCOMPARE(call->text(), call0);
    QVERIFY(call->accessibleDescription().isEmpty());
    QCOMPARE(list.List()->topLevelItemCount(), 1);
    form.Changes().RevertAll();
    QCOMPARE(ptt->currentIndex(), 0);
    QCOMPARE(form.Changes().Count(), 0);
    QCOMPARE(form.windowTitle(), QString("VARDEX Plus Configurator v1.26"));
  }
};

QTEST_MAIN(ConfigFilesTest)
#include "config_files_test.moc"
