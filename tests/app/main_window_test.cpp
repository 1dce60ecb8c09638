#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void startUpState() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    QCOMPARE(form.windowTitle(), QString("VARDEX Plus Configurator v1.26"));
    QCOMPARE(Child<QGroupBox>(&form, "GroupBox3")->title(), QString("Connection:"));

    auto* ports = Child<QComboBox>(&form, "ComboBox2");
    QCOMPARE(ports->count(), 9);
    QCOMPARE(ports->itemText(0), QString("COM1"));
    QCOMPARE(ports->itemText(8), QString("COM9"));
    QCOMPARE(ports->currentIndex(), -1);
    QCOMPARE(ports->currentText(), QString("COM1"));

    const QStringList captions = {"Radio",         "Digipeater",      "Beacons",      "Network",
                                  "APRS-IS",       "Weather",         "RTC/NTP time", "WWW access",
                                  "Telnet access", "Telemetry module"};
    auto* tabs = Child<QTabWidget>(&form, "PageControl1");
    QCOMPARE(tabs->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i) QCOMPARE(tabs->tabText(i), captions[i]);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(form.Page(tabs->currentIndex())->objectName(), QString("TabSheet1"));
    const QList<QPair<int, QString>> namedSheets = {
        {1, "TabSheet6"}, {3, "TabSheet9"},  {4, "TabSheet3"}, {6, "TabSheet5"},
        {7, "TabSheet7"}, {8, "TabSheet10"}, {9, "TabSheet8"}};
    for (const auto& [index, name] : namedSheets) QCOMPARE(form.Page(index)->objectName(), name);

    auto* memo = Child<QPlainTextEdit>(&form, "Memo1");
    QVERIFY(memo->toPlainText().isEmpty());
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    auto* progress = Child<QProgressBar>(&form, "ProgressBar1");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 0);

    const QList<QPair<const char*, QString>> buttons = {{"Button1", "Open port"},
                                                        {"Button2", "Close port"},
                                                        {"Button4", "Read config"},
                                                        {"Button5", "Write config"},
                                                        {"Button3", "Upload firmware"}};
    for (const auto& [name, caption] : buttons) {
      auto* button = Child<QPushButton>(&form, name);
      QCOMPARE(button->text(), caption);
      QVERIFY(button->isEnabled());
    }
    QVERIFY(boxes.shown.isEmpty());
  }

  void windowIsNotResizable() {
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.minimumSize(), form.maximumSize());
  }

  void focusMovesThroughTheConnectionGroupInOrder() {
    TForm1 form;
    const QStringList order = {"ComboBox2", "Button1", "Button4", "Button5", "Button3", "Button2"};
    QWidget* widget = Child<QWidget>(&form, "ComboBox2");
    for (int i = 1; i < order.size(); ++i) {
      widget = widget->nextInFocusChain();
      while (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy() != nullptr ||
             widget->parentWidget() == Child<QWidget>(&form, "ComboBox2")) {
        widget = widget->nextInFocusChain();
      }
      QCOMPARE(widget->objectName(), order[i]);
    }
  }

  void radioPageControls() {
    TForm1 form;
    struct EditRow {
      const char* name;
      QString text;
      int maxLength;
      QString hint;
      QString label;
    };
    const QList<EditRow> edits = {
        {"Edit1", "NOCALL", 6, "Stations callsign.", "Callsign"},
        {"Edit44", "0", 2, "Stations SSID", "SSID"},
        {"Edit2", "250", 4, "Time between PTT on and packet start (preamble length).",
         "TX delay [ms]"},
        {"Edit3", "400", 4, "Delay between last received  packet and packet send.",
         "Quiet time [ms]"},
        {"Edit4", "5221.60N", 8, "Stations latitude.", "Latitude"},
        {"Edit5", "01653.63E", 9, "Stations longitude.", "Longitude"},
    };
    QWidget* page = form.Page(0);
    for (const EditRow& row : edits) {
      auto* edit = Child<QLineEdit>(page, row.name);
      QCOMPARE(edit->text(), row.text);
      QCOMPARE(edit->maxLength(), row.maxLength);
      QCOMPARE(edit->toolTip(), row.hint);
      QCOMPARE(edit->accessibleName(), row.label);
    }
    auto* ptt = Child<QComboBox>(page, "ComboBox19");
    QCOMPARE(ptt->count(), 2);
    QCOMPARE(ptt->itemText(0), QString("separate output"));
    QCOMPARE(ptt->itemText(1), QString("2k2 resistor"));
    QCOMPARE(ptt->currentIndex(), 0);
    QCOMPARE(ptt->toolTip(), QString("PTT output type."));
    QCOMPARE(ptt->accessibleName(), QString("PTT"));
    auto* busy = Child<QComboBox>(page, "ComboBox20");
    QCOMPARE(busy->itemText(0), QString("analog signal level"));
    QCOMPARE(busy->itemText(1), QString("digital detect"));
    QCOMPARE(busy->currentIndex(), 0);
    QCOMPARE(busy->toolTip(),
             QString("Channel busy detection method. For open quelch operation use only "
                     "digital detect."));
    QCOMPARE(busy->accessibleName(), QString("Channel busy detect"));
  }

  void writeOfStartUpStateBuildsAChecksummedImage() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.shown.value(0).text));
    const auto& image = form.WriteImage().bytes;
    quint32 sum = 0;
    for (int i = 4; i <= 1551; ++i) sum += image[i];
    const quint32 stored =
        image[0] | (image[1] << 8) | (image[2] << 16) | (static_cast<quint32>(image[3]) << 24);
    QCOMPARE(stored, sum);
    for (int i = 1552; i < 2048; ++i) QCOMPARE(int(image[i]), 0);
    QCOMPARE(int(image[4]), int('N'));
    QCOMPARE(int(image[10]), 0x30);
  }

  void failedWriteShowsOneBoxAndChangesNoControl() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    auto* tabs = Child<QTabWidget>(&form, "PageControl1");
    tabs->setCurrentIndex(0);
    Child<QLineEdit>(&form, "Edit2")->setText("1001");
    Child<QLineEdit>(&form, "Edit4")->setText("bad");  // a later error stays hidden
    auto* ptt = Child<QComboBox>(&form, "ComboBox19");
    ptt->setEditText("typed");
    Child<QPushButton>(&form, "Button5")->click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].style, QString("information"));
    QCOMPARE(boxes.shown[0].caption, QString("Information"));
    QCOMPARE(boxes.shown[0].text, QString("Preamble len - range error (200 - 1000)."));
    QCOMPARE(Child<QLineEdit>(&form, "Edit2")->text(), QString("1001"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit4")->text(), QString("bad"));
    QCOMPARE(ptt->currentText(), QString("typed"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(Child<QPlainTextEdit>(&form, "Memo1")->toPlainText().isEmpty());
  }

  void numberBoxThatDoesNotConvertShowsTheErrorBox() {
    struct Case {
      const char* edit;
      QString text;
      QString shown;
    };
    const QList<Case> cases = {
        {"Edit3", "", "'' is not a valid integer value."},
        {"Edit2", "42 ", "'42 ' is not a valid integer value."},
        {"Edit2", "-$2A", "'-$2A' is not a valid integer value."},
    };
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      Child<QLineEdit>(&form, c.edit)->setText(c.text);
      Child<QLineEdit>(&form, "Edit5")->setText("bad");  // no later message either
      Child<QPushButton>(&form, "Button5")->click();
      QCOMPARE(boxes.shown.size(), 1);
      QCOMPARE(boxes.shown[0].style, QString("error"));
      QCOMPARE(boxes.shown[0].caption, QString("VARDEX Configurator"));
      QCOMPARE(boxes.shown[0].text, c.shown);
    }
  }

  void typedListTextStoresNoSelection() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QComboBox>(&form, "ComboBox20")->setEditText("digital detect");
    Child<QComboBox>(&form, "ComboBox19")->setEditText("Separate output");  // case differs
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(int(form.WriteImage().bytes[47]), 0xFF);
    QCOMPARE(int(form.WriteImage().bytes[48]), 1);
  }

  void readImageIsShownOnThePage() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    vardex::ConfigImage image;
    const char callsign[] = "A     <";
    for (int i = 0; i < 7; ++i) image.bytes[4 + i] = static_cast<std::uint8_t>(callsign[i]);
    image.bytes[12] = 0xE8;  // 1000
    image.bytes[13] = 0x03;
    image.bytes[16] = 0xB8;  // 3000
    image.bytes[17] = 0x0B;
    image.bytes[47] = 7;  // beyond the list
    image.bytes[48] = 1;
    form.ShowConfigImage(image);
    QCOMPARE(Child<QLineEdit>(&form, "Edit1")->text(), QString("A     "));
    QCOMPARE(Child<QLineEdit>(&form, "Edit44")->text(), QString("12"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit2")->text(), QString("1000"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit3")->text(), QString("3000"));
    QCOMPARE(Child<QComboBox>(&form, "ComboBox19")->currentIndex(), -1);
    QCOMPARE(Child<QComboBox>(&form, "ComboBox20")->currentIndex(), 1);
    QCOMPARE(Child<QLineEdit>(&form, "Edit4")->text(), QString(""));
  }

  void decodedTextLongerThanTheTypingLimitIsShownInFull() {
    TForm1 form;
    vardex::ConfigImage image;
    image.bytes[10] = 0xFF;  // SSID 207 in a two-character box
    form.ShowConfigImage(image);
    auto* ssid = Child<QLineEdit>(&form, "Edit44");
    QCOMPARE(ssid->text(), QString("207"));
    ssid->clear();
    QTest::keyClicks(ssid, "1234");
    QCOMPARE(ssid->text(), QString("12"));  // typing is limited again once shortened
  }

  void helpWindowIsCreatedHiddenWithItsFiveLines() {
    TForm1 form;
    TForm2 help(&form);
    QVERIFY(!help.isVisible());
    help.layout()->activate();
    QCOMPARE(help.windowTitle(), QString("Beacon special strings"));
    const QStringList lines = {"<date> - inserts current time in format: DDHHMM. ",
                               "<lat> - inserts latitude defined on  \"Radio\" Tab.",
                               "<long> - inserts longitude defined on  \"Radio\" Tab.",
                               "Example:", "@<date>z<lat>/<long>-VARDEX Test."};
    int previousTop = -1;
    for (int i = 0; i < lines.size(); ++i) {
      auto* label = Child<QLabel>(&help, qPrintable(QString("Label%1").arg(i + 1)));
      QCOMPARE(label->text(), lines[i]);
      QVERIFY(label->geometry().top() > previousTop);
      previousTop = label->geometry().top();
    }
  }

  void errorBoxAddsAFullStopAfterLettersAndDigits() {
    const QList<QPair<QString, QString>> cases = {
        {"abc", "abc."}, {"abc.", "abc."}, {"value 7", "value 7."}, {"ends with )", "ends with )"},
        {"", ""},        {"x-", "x-"},     {"tilde~", "tilde~."}};
    for (const auto& [text, shown] : cases) QCOMPARE(vardex::ErrorBoxText(text), shown);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
