#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Unit1.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

class AprsIsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void controlsWithTextsHintsAndLimits() {
    TForm1 form;
    QWidget* page = form.Page(4);
    QCOMPARE(page->objectName(), QString("TabSheet3"));
    struct EditRow {
      const char* name;
      QString text;
      int maxLength;
      QString hint;
      QString accessibleName;
    };
    const QString hostHint = "APRS-IS server domain name or IP address.";
    const QList<EditRow> edits = {
        {"Edit21", "euro.aprs2.net", 31, hostHint, "Server 1"},
        {"Edit22", "", 31, hostHint, "Server 2"},
        {"Edit23", "", 31, hostHint, "Server 3"},
        {"Edit33", "14580", 5, "APRS-IS server port.", "Server 1 Port"},
        {"Edit34", "14580", 5, "APRS-IS server port.", "Server 2 Port"},
        {"Edit35", "14580", 5, "APRS-IS server port.", "Server 3 Port"},
        {"Edit38", "nocall", 16, "Your login to APRS-IS network. Usually your callsign.",
         "Username"},
        {"Edit39", "40917", 16,
         "You login to APRS-IS network. If you don't know it, you should ask your local APRS-IS "
         "administrator.",
         "Password"},
    };
    for (const EditRow& row : edits) {
      auto* edit = Child<QLineEdit>(page, row.name);
      QCOMPARE(edit->text(), row.text);
      QCOMPARE(edit->maxLength(), row.maxLength);
      QCOMPARE(edit->toolTip(), row.hint);
      QCOMPARE(edit->accessibleName(), row.accessibleName);
      QCOMPARE(edit->echoMode(), QLineEdit::Normal);  // the password shows in clear
    }
    for (const char* heading : {"APRS-IS servers:", "Port:", "APRS-IS login:"}) {
      QVERIFY2(HasLabel(page, heading), heading);
    }
    auto* gateRf = Child<QCheckBox>(page, "CheckBox2");
    QCOMPARE(gateRf->text(), QString("Gate RF traffic to APRS-IS"));
    QCOMPARE(gateRf->toolTip(),
             QString("If selected, the device will forward packets from RF to APRS-IS."));
    QVERIFY(gateRf->isChecked());
    auto* gateIs = Child<QCheckBox>(page, "CheckBox5");
    QCOMPARE(gateIs->text(), QString("Gate msg from APRS-IS to RF"));
    QCOMPARE(gateIs->toolTip(),
             QString("If selected, the device will forward messages from APRS-IS to RF."));
    QVERIFY(gateIs->isChecked());
  }

  void portOutOfRangeIsReported() {
    struct Case {
      const char* box;
      QString text;
      QString message;
    };
    const QList<Case> cases = {
        {"Edit33", "65536", "APRS-IS Server 1 Port - range error (0 - 65535)."},
        {"Edit34", "-1", "APRS-IS Server 2 Port - range error (0 - 65535)."},
        {"Edit35", "99999", "APRS-IS Server 3 Port - range error (0 - 65535)."},
    };
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      Child<QLineEdit>(&form, c.box)->setText(c.text);
      Child<QPushButton>(&form, "Button5")->click();
      QCOMPARE(boxes.shown.size(), 1);
      QCOMPARE(boxes.shown[0].style, QString("information"));
      QCOMPARE(boxes.shown[0].text, c.message);
    }
  }

  void emptyPortIsWrittenAsZeroAndReadBackAsZero() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QLineEdit>(&form, "Edit33")->clear();
    Child<QCheckBox>(&form, "CheckBox2")->setChecked(false);
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    const auto& bytes = form.WriteImage().bytes;
    for (int i = 192; i < 196; ++i) QCOMPARE(int(bytes[i]), 0);
    for (int i = 152; i < 156; ++i) QCOMPARE(int(bytes[i]), 0);
    QCOMPARE(int(bytes[156]), 1);

    form.ShowConfigImage(form.WriteImage());
    QCOMPARE(Child<QLineEdit>(&form, "Edit33")->text(), QString("0"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit21")->text(), QString("euro.aprs2.net"));
    QVERIFY(!Child<QCheckBox>(&form, "CheckBox2")->isChecked());
    QVERIFY(Child<QCheckBox>(&form, "CheckBox5")->isChecked());
  }
};

QTEST_MAIN(AprsIsPageTest)
#include "aprs_is_page_test.moc"
