#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Unit1.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

namespace {

const QStringList kClockBoxes = {"Edit36", "Edit40", "Edit41", "Edit42", "Edit43"};

QStringList ClockTexts(QWidget* form) {
  QStringList texts;
  for (const QString& name : kClockBoxes) texts << Child<QLineEdit>(form, name)->text();
  return texts;
}

bool ClockBoxesEnabled(QWidget* form, bool enabled) {
  for (const QString& name : kClockBoxes) {
    if (Child<QLineEdit>(form, name)->isEnabled() != enabled)
      return false;
  }
  return true;
}

quint32 Word(const vardex::ConfigImage& image, int offset) {
  return image.bytes[offset] | (image.bytes[offset + 1] << 8) | (image.bytes[offset + 2] << 16) |
         (static_cast<quint32>(image.bytes[offset + 3]) << 24);
}

}  // namespace

class ClockPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void controlsAtStartShowThePcTimeDisabled() {
    SettableLocalTime clock(2026, 3, 7, 9, 5);
    TForm1 form(nullptr, nullptr, &clock);
    QWidget* page = form.Page(6);
    QCOMPARE(page->objectName(), QString("TabSheet5"));
    QCOMPARE(ClockTexts(&form), QStringList({"2026", "3", "7", "9", "5"}));
    QVERIFY(ClockBoxesEnabled(&form, false));
    const QList<QPair<QString, int>> limits = {
        {"Year", 4}, {"Month", 2}, {"Day", 2}, {"Hour", 2}, {"Minute", 2}};
    for (int i = 0; i < kClockBoxes.size(); ++i) {
      auto* edit = Child<QLineEdit>(page, kClockBoxes[i]);
      QCOMPARE(edit->maxLength(), limits[i].second);
      QCOMPARE(edit->accessibleName(), limits[i].first);
      QVERIFY(edit->toolTip().isEmpty());
    }

    auto* upload = Child<QCheckBox>(page, "CheckBox21");
    QCOMPARE(upload->text(), QString("Upload PC system time on config write"));
    QCOMPARE(upload->toolTip(),
             QString("If selected, the application will send current PC time on config save."));
    QVERIFY(upload->isChecked());
    auto* ntp = Child<QCheckBox>(page, "CheckBox14");
    QCOMPARE(ntp->text(), QString("Use NTP server"));
    QCOMPARE(ntp->toolTip(), QString("If selected, the device will synchronize time with network "
                                     "time protocol server."));
    QVERIFY(ntp->isChecked());
    auto* server = Child<QLineEdit>(page, "Edit28");
    QCOMPARE(server->text(), QString("pool.ntp.org"));
    QCOMPARE(server->maxLength(), 31);
    QCOMPARE(server->toolTip(),
             QString("Network time protocol server IP for time synchronization."));
    QCOMPARE(server->accessibleName(), QString("NTP server"));

    const QString note =
        "Internal Real Time Clock is updated when the device exits config mode and enters normal "
        "mode. To get exact time please change to normal mode quickly after config write.";
    QLabel* noteLabel = nullptr;
    for (QLabel* label : page->findChildren<QLabel*>()) {
      if (label->text() == note)
        noteLabel = label;
    }
    QVERIFY(noteLabel != nullptr);
    QVERIFY(noteLabel->wordWrap());
  }

  void eitherCheckBoxAppliesTheUploadOption() {
    TForm1 form;
    form.show();
    auto* upload = Child<QCheckBox>(&form, "CheckBox21");
    auto* ntp = Child<QCheckBox>(&form, "CheckBox14");
    upload->click();
    QVERIFY(!upload->isChecked());
    QVERIFY(ClockBoxesEnabled(&form, true));
    ntp->click();  // re-applies the upload option, changes nothing else
    QVERIFY(!ntp->isChecked());
    QVERIFY(ClockBoxesEnabled(&form, true));
    upload->click();
    QVERIFY(ClockBoxesEnabled(&form, false));
    ntp->click();
    QVERIFY(ntp->isChecked());
    QVERIFY(ClockBoxesEnabled(&form, false));
  }

  void writeRefreshesTheClockWhileUploadIsChecked() {
    SettableLocalTime clock(2025, 12, 31, 23, 59);
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes, nullptr, &clock);
    clock.Set(2026, 3, 7, 9, 5);
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(ClockTexts(&form), QStringList({"2026", "3", "7", "9", "5"}));
    const auto& image = form.WriteImage();
    QCOMPARE(Word(image, 320), 2026u);
    QCOMPARE(Word(image, 324), 3u);
    QCOMPARE(Word(image, 328), 7u);
    QCOMPARE(Word(image, 332), 9u);
    QCOMPARE(Word(image, 336), 5u);

    // A write that fails still takes the PC's time first.
    clock.Set(2026, 3, 7, 10, 0);
    Child<QLineEdit>(&form, "Edit9")->setText("256");
    Child<QPushButton>(&form, "Button5")->click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(ClockTexts(&form), QStringList({"2026", "3", "7", "10", "0"}));
  }

  void typedTimeIsWrittenAsTypedWhileUploadIsOff() {
    SettableLocalTime clock(2026, 3, 7, 9, 5);
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes, nullptr, &clock);
    Child<QCheckBox>(&form, "CheckBox21")->click();
    const QStringList typed = {"2030", "12", "31", "23", "59"};
    for (int i = 0; i < kClockBoxes.size(); ++i) {
      Child<QLineEdit>(&form, kClockBoxes[i])->setText(typed[i]);
    }
    Child<QCheckBox>(&form, "CheckBox14")->click();
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(ClockTexts(&form), typed);
    const auto& image = form.WriteImage();
    QCOMPARE(Word(image, 320), 2030u);
    QCOMPARE(Word(image, 324), 12u);
    QCOMPARE(Word(image, 328), 31u);
    QCOMPARE(Word(image, 332), 23u);
    QCOMPARE(Word(image, 336), 59u);
    QCOMPARE(int(image.bytes[268]), 0);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&image.bytes[269])),
             QByteArray("pool.ntp.org"));
  }

  void readLeavesTheClockAndTheUploadOptionAlone() {
    SettableLocalTime clock(2026, 3, 7, 9, 5);
    TForm1 form(nullptr, nullptr, &clock);
    Child<QCheckBox>(&form, "CheckBox21")->click();
    Child<QLineEdit>(&form, "Edit43")->setText("44");
    vardex::ConfigImage image;
    image.bytes[268] = 0;
    const char server[] = "time.example.net";
    for (int i = 0; server[i] != 0; ++i)
      image.bytes[269 + i] = static_cast<std::uint8_t>(server[i]);
    image.bytes[320] = 0xD0;  // 2000
    image.bytes[321] = 0x07;
    image.bytes[324] = 1;
    form.ShowConfigImage(image);
    QVERIFY(!Child<QCheckBox>(&form, "CheckBox14")->isChecked());
    QCOMPARE(Child<QLineEdit>(&form, "Edit28")->text(), QString("time.example.net"));
    QVERIFY(!Child<QCheckBox>(&form, "CheckBox21")->isChecked());
    QCOMPARE(ClockTexts(&form), QStringList({"2026", "3", "7", "9", "44"}));
    QVERIFY(ClockBoxesEnabled(&form, true));
  }
};

QTEST_MAIN(ClockPageTest)
#include "clock_page_test.moc"
