#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "Unit1.h"
#include "recording_message_boxes.h"

class FailureFocusTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void failedBoxIsShownFocusedAndSelectedOnItsPage() {
    struct Case {
      const char* control;
      QString text;
      int page;
      QString style;
      QString message;
    };
    const QList<Case> cases = {
        {"Edit3", "100", 0, "information", "Quiet time - range error (200 - 3000)."},
        {"Pathn3_higher", "8", 1, "information", "Path(n-N) 3, n<= value range error (1 - 7)."},
        {"Beacon5_msg", "tab\there", 2, "information", "Beacon 5 message - forbidden characters."},
        {"Edit17", "256", 3, "information", "IP Mask - range error (0 - 255)."},
        {"Edit35", "65536", 4, "information", "APRS-IS Server 3 Port - range error (0 - 65535)."},
        {"Weather_smalln", "0", 5, "information",
         "Weather report path, n value range error (1 - 7)."},
        {"Edit43", "x", 6, "error", "'x' is not a valid integer value."},
        {"www_port", "-1", 7, "information", "WWW port - range error (0 - 65535)."},
        {"telnet_port", "", 8, "error", "'' is not a valid integer value."},
        {"Teleparams_txrate_rf", "4", 9, "information",
         "Telemeetry parameters tx rate (RF) range error (5 - 1440)."},
    };
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      form.show();
      auto* tabs = form.findChild<QTabWidget*>("PageControl1");
      tabs->setCurrentIndex(c.page == 0 ? 9 : 0);  // some other page is on show
      // The clock boxes keep what was typed only without the PC's time.
      form.findChild<QCheckBox*>("CheckBox21")->setChecked(false);
      form.CheckBox21Click();
      auto* edit = form.findChild<QLineEdit*>(c.control);
      QVERIFY2(edit != nullptr, c.control);
      edit->setText(c.text);
      form.findChild<QPushButton*>("Button5")->setFocus();
      form.Button5Click();
      QVERIFY2(boxes.shown.size() == 1, c.control);
      QCOMPARE(boxes.shown[0].style, c.style);
      QCOMPARE(boxes.shown[0].text, c.message);
      QCOMPARE(tabs->currentIndex(), c.page);
      QCOMPARE(form.focusWidget(), edit);
      QCOMPARE(edit->selectedText(), c.text);
      QCOMPARE(edit->text(), c.text);
    }
  }

  void aListWithTypedTextIsSelectedToo() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    // A list fails no check of its own; the n box right after it does.
    auto* dest = form.findChild<QComboBox*>("Beacon2_dest");
    dest->setEditText("OTHER");
    form.findChild<QLineEdit*>("Beacon2_bign")->setText("3");
    form.Button5Click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QString("Beacon 2 path, n should be >= N."));
    auto* smalln = form.findChild<QLineEdit*>("Beacon2_smalln");
    QCOMPARE(form.focusWidget(), smalln);
    QCOMPARE(smalln->selectedText(), QString("2"));
    QCOMPARE(dest->currentText(), QString("OTHER"));
  }
};

QTEST_MAIN(FailureFocusTest)
#include "failure_focus_test.moc"
