// The station check in the window: the list, going to a field, the line
// beside the status line, and the passcode help of the APRS-IS page.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtTest>

#include "Unit1.h"
#include "beacons_dialog.h"
#include "check_notes.h"
#include "recording_message_boxes.h"
#include "station_check_dialog.h"

class StationCheckWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void listGoesToTheFieldOfAFinding() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    auto* notes = form.findChild<vardex::CheckNotes*>();
    QVERIFY(notes != nullptr);
    QVERIFY(form.findChild<QMenuBar*>("MenuBar")->findChild<QAction*>("StationCheckAction") !=
            nullptr);
    QCOMPARE(notes->Line()->text(), QString("8 notes on this configuration"));
    QVERIFY(notes->Line()->isVisible());

    const struct {
      int row;
      const char* startsWith;
      int page;
      const char* control;
    } cases[] = {
        {0, "Radio, Callsign (radio.callsign)\n  On the air: ", 0, "Edit1"},
        {2, "Digipeater, Row 1 N <= (path[1].higher)", 1, "Pathn1_higher"},
        {4, "APRS-IS, Password (aprsIs.password)", 4, "Edit39"},
        {7, "Telnet access, Telnet password (telnet.password)", 8, "telnet_password"},
    };
    auto* tabs = form.findChild<QTabWidget*>("PageControl1");
    for (const auto& c : cases) {
      tabs->setCurrentIndex(c.page == 5 ? 6 : 5);
      vardex::StationCheckDialog* dialog = notes->OpenList();
      QCOMPARE(dialog->List()->count(), 8);
      QVERIFY2(dialog->List()->item(c.row)->text().startsWith(c.startsWith), c.startsWith);
      dialog->List()->setCurrentRow(c.row);
      dialog->GoButton()->click();
      QCOMPARE(tabs->currentIndex(), c.page);
      QCOMPARE(form.focusWidget(), form.findChild<QWidget*>(c.control));
    }
  }

  void passcodeHelpAndTheLineFollowEdits() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    auto* notes = form.findChild<vardex::CheckNotes*>();
    auto* user = form.findChild<QLineEdit*>("Edit38");
    auto* password = form.findChild<QLineEdit*>("Edit39");
    auto* note = form.findChild<QLabel*>("PasscodeNote");
    QCOMPARE(note->text(), QString("Not a passcode (0 to 32767, or -1 for receive-only)."));

    form.findChild<QPushButton*>("PasscodeFromLogin")->click();
    QCOMPARE(password->text(), QString("12960"));  // NOCALL's published passcode
    QCOMPARE(note->text(), QString());
    notes->Refresh();
    QCOMPARE(notes->Line()->text(), QString("7 notes on this configuration"));

    user->setText("SP3XYZ-10");
    QCOMPARE(note->text(),
             QString("Not the passcode of SP3XYZ: the servers gate nothing from it."));
    password->setText("-1");
    QCOMPARE(note->text(), QString("-1 logs in receive-only: nothing is gated to APRS-IS."));

    // A fixed station that follows common practice: the line goes.
    const struct {
      const char* control;
      const char* text;
    } edits[] = {
        {"Edit1", "SP3XYZ"},           {"Edit4", "5224.00N"},
        {"Pathn1_higher", "2"},        {"Beacon1_txrate_rf", "30"},
        {"Edit39", "19120"},           {"Weather_txrate_rf", "10"},
        {"www_password", "k7-secret"}, {"telnet_password", "k7-secret"},
    };
    for (const auto& e : edits) form.findChild<QLineEdit*>(e.control)->setText(e.text);
    QTRY_COMPARE(notes->Line()->text(), QString());  // once the edits settle
    QVERIFY(!notes->Line()->isVisible());
    QCOMPARE(vardex::CheckNotesSentence(vardex::ConfigSettings{}),
             QString(" The station check has 8 notes on this configuration (Tools, Station "
                     "check)."));
  }

  // Typed, then "Write config" at once: the question counts the notes of
  // what was typed, not of the values before.
  // The beacons dialog follows a message as it is typed, and the symbol
  // chooser writes into the chosen beacon's box.
  void beaconsOnTheAirFollowEditsAndTakeASymbol() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    form.findChild<QMenuBar*>("MenuBar")->findChild<QAction*>("BeaconsOnAirAction")->trigger();
    auto* dialog = form.findChild<vardex::BeaconsDialog*>("BeaconsDialog");
    QVERIFY(dialog != nullptr);
    QListWidget* list = dialog->List();
    QCOMPARE(list->count(), 1);
    QVERIFY(QRegularExpression("Beacon 1 \\(RF and APRS-IS\\)\nNOCALL>APVDX1,WIDE2-2:@\\d{6}z"
                               "5221\\.60N/01653\\.63E-VARDEX Test\\.\nposition with time stamp, "
                               "symbol House \\(/-\\)")
                .match(list->item(0)->text())
                .hasMatch());

    auto* message2 = form.findChild<QLineEdit*>("Beacon2_msg");
    QTest::keyClicks(message2, "VARDEX digi");
    QTRY_COMPARE(list->count(), 2);
    QVERIFY(list->item(1)->text().contains("\nnot readable: it starts with \"V\""));
    list->setCurrentRow(1);
    QVERIFY(!dialog->PutButton()->isEnabled());

    list->setCurrentRow(0);
    dialog->Symbols()->setCurrentIndex(dialog->Symbols()->findText("Digipeater (/#)"));
    dialog->PutButton()->click();
    QCOMPARE(form.findChild<QLineEdit*>("Beacon1_msg")->text(),
             QString("@<date>z<lat>/<long>#VARDEX Test."));
    QVERIFY(list->item(0)->text().contains("symbol Digipeater (/#)"));
  }

  void writeQuestionCountsTheLatestEdits() {
    using Edits = QList<std::pair<const char*, const char*>>;
    const struct {
      Edits edits;
      const char* sentence;
    } cases[] = {
        // NOCALL's published passcode answers one of the eight notes.
        {{{"Edit39", "12960"}},
         " The station check has 7 notes on this configuration (Tools, Station check)."},
        {{{"Edit38", "SP3XYZ-10"},
          {"Edit1", "SP3XYZ"},
          {"Edit4", "5224.00N"},
          {"Pathn1_higher", "2"},
          {"Beacon1_txrate_rf", "30"},
          {"Edit39", "19120"},
          {"Weather_txrate_rf", "10"},
          {"www_password", "k7-secret"},
          {"telnet_password", "k7-secret"}},
         ""},
    };
    for (const auto& c : cases) {
      RecordingMessageBoxes boxes;
      boxes.answers = {1};  // Cancel
      TForm1 form(&boxes);
      for (const auto& [control, text] : c.edits)
        form.findChild<QLineEdit*>(control)->setText(text);
      form.Button5Click();
      QCOMPARE(boxes.asked.size(), 1);
      QCOMPARE(boxes.asked.first().detail,
               QString("To keep the device's configuration, press \"Read config\" first, or open "
                       "a saved file.") +
                   c.sentence);
    }
  }
};

QTEST_MAIN(StationCheckWindowTest)
#include "station_check_window_test.moc"
