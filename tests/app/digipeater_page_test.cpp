#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "Unit1.h"
#include "config_driver.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

class DigipeaterPageTest : public QObject {
  Q_OBJECT

 private:
  const QString kNameHint =
      "New-N path for digipeated packets. Example: setting path to WIDE and N>=1, N<=2 will make "
      "the device digipeat packets with WIDE2-2 or WIDE2-1 or WIDE1-1 in path.";
  const QString kTraceableHint =
      "If selected, the device will add its callsign to path of digipeated packets.";

 private slots:
  void switchAndDuplicateChecking() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    QWidget* page = form.Page(1);
    QCOMPARE(page->objectName(), QString("TabSheet6"));

    auto* on = Child<QCheckBox>(page, "CheckBox1");
    QCOMPARE(on->text(), QString("Digipeater on"));
    QVERIFY(on->isChecked());
    QCOMPARE(on->toolTip(), QString("Enables or disables a function of RF packets digipeating."));

    auto* duplicate = Child<QLineEdit>(page, "Edit8");
    QCOMPARE(duplicate->text(), QString("60"));
    QCOMPARE(duplicate->maxLength(), 3);
    QCOMPARE(duplicate->toolTip(),
             QString("Time for which a received packet is stored for duplicate checking. "
                     "Duplicate packets are discarded and are not digipeated."));
    QCOMPARE(duplicate->accessibleName(), QString("Duplicate checking [s]"));
  }

  void eightPathRowsAtStartUp() {
    TForm1 form;
    QWidget* page = form.Page(1);
    const QStringList names = {"WIDE", "SP", "", "", "", "", "", ""};
    for (int row = 1; row <= 8; ++row) {
      const QString prefix = QStringLiteral("Pathn%1_").arg(row);
      auto* name = Child<QLineEdit>(page, prefix + "name");
      QCOMPARE(name->text(), names[row - 1]);
      QCOMPARE(name->maxLength(), 5);
      QCOMPARE(name->toolTip(), kNameHint);
      QCOMPARE(name->accessibleName(), QStringLiteral("Row %1 Path (n-N)").arg(row));

      auto* lower = Child<QLineEdit>(page, prefix + "lower");
      QCOMPARE(lower->text(), QString("1"));
      QCOMPARE(lower->maxLength(), 1);
      QCOMPARE(lower->accessibleName(), QStringLiteral("Row %1 N >=").arg(row));
      auto* higher = Child<QLineEdit>(page, prefix + "higher");
      QCOMPARE(higher->text(), QString("7"));
      QCOMPARE(higher->maxLength(), 1);
      QCOMPARE(higher->accessibleName(), QStringLiteral("Row %1 N <=").arg(row));

      auto* traceable = Child<QComboBox>(page, prefix + "traceable");
      QCOMPARE(traceable->count(), 2);
      QCOMPARE(traceable->itemText(0), QString("No"));
      QCOMPARE(traceable->itemText(1), QString("Yes"));
      QVERIFY(traceable->isEditable());
      QCOMPARE(traceable->currentIndex(), row == 1 ? 1 : 0);
      QCOMPARE(traceable->toolTip(), kTraceableHint);

      auto* active = Child<QCheckBox>(page, prefix + "active");
      QVERIFY(active->text().isEmpty());
      QCOMPARE(active->isChecked(), row <= 2);
    }
    const QStringList headings = {"Path (n-N):", "N >=", "N <=", "traceable:", "active:"};
    for (const QString& heading : headings) {
      bool found = false;
      for (auto* label : page->findChildren<QLabel*>()) found = found || label->text() == heading;
      QVERIFY2(found, qPrintable(heading));
    }
  }

  void startUpPageIsWrittenAsItsBytes() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    QVERIFY(form.BuildConfigImage());
    const auto& bytes = form.WriteImage().bytes;
    const QByteArray expected = QByteArray::fromHex(
        "574944450000000001070101"    // WIDE, 1, 7, Yes, active
        "535000000000000001070001");  // SP, 1, 7, No, active
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&bytes[1076]), 24), expected);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&bytes[20]), 8),
             QByteArray::fromHex("010000003c000000"));
  }

  // A value the one-character box cannot take by typing is shown in full
  // and refused by the next write.
  void readValueIsShownInFullAndRefusedOnWrite() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    vardex::ConfigImage image;
    QVERIFY(vardex::BuildConfigImage(vardex::ConfigSettings{}, image).Succeeded());
    image.bytes[1076 + 12 * 2 + 8] = 200;  // row 3, n>=
    image.bytes[1076 + 12 * 2 + 10] = 0xFF;
    form.ShowConfigImage(image);

    auto* lower = Child<QLineEdit>(form.Page(1), "Pathn3_lower");
    QCOMPARE(lower->text(), QString("200"));
    QCOMPARE(Child<QComboBox>(form.Page(1), "Pathn3_traceable")->currentIndex(), -1);
    QVERIFY(!form.BuildConfigImage());
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].style, QString("information"));
    QCOMPARE(boxes.shown[0].text, QString("Path(n-N) 3, n>= value range error (1 - 7)."));

    lower->setText("5");
    Child<QComboBox>(form.Page(1), "Pathn3_traceable")->setEditText("Maybe");
    QVERIFY(form.BuildConfigImage());
    QCOMPARE(form.WriteImage().bytes[1076 + 12 * 2 + 8], 5);
    QCOMPARE(form.WriteImage().bytes[1076 + 12 * 2 + 10], 0xFF);
  }

  void radioErrorHidesDigipeaterError() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QLineEdit>(form.Page(1), "Edit8")->setText("181");
    Child<QLineEdit>(form.Page(0), "Edit4")->setText("5221,60N");
    QVERIFY(!form.BuildConfigImage());
    Child<QLineEdit>(form.Page(0), "Edit4")->setText("5221.60N");
    QVERIFY(!form.BuildConfigImage());
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[0].text, QString("Latitude - syntax error (ex. 5221.60N)."));
    QCOMPARE(boxes.shown[1].text, QString("Antiflood timeout - range error (15 - 180)."));
  }
};

QTEST_MAIN(DigipeaterPageTest)
#include "digipeater_page_test.moc"
