// The pages that carry report blocks: "Beacons" (with "Special strings"),
// "Weather" and the two report rows of "Telemetry module".
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "Unit1.h"
#include "Unit2.h"
#include "config_driver.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

namespace {

struct BlockHints {
  QString dest, path, smalln, bign, rateRf, rateIs, toRf, toAprsIs;
};

const BlockHints kBeaconHints = {
    "Beacon destination.",
    "Beacon path in New-N format. If you leave this field blank, beacon will be sent without path.",
    "n value for beacon path in New-N format.",
    "N value for beacon path in New-N format.",
    "Beacon TX rate to RF (minutes).",
    "Beacon TX rate to APRS-IS (minutes).",
    "If selected, beacon will be sent to RF.",
    "If selected, beacon will be sent to APRS-IS server."};

const BlockHints kWeatherHints = {
    "Weather report destination.",
    "Weather report path in New-N format. If you leave this field blank, report will be sent "
    "without path.",
    "n value for weather report path in New-N format.",
    "N value for weather report path in New-N format.",
    "Weather report TX rate to RF (minutes).",
    "Weather report TX rate to APRS-IS (minutes).",
    "If selected, weather report will be sent to RF.",
    "If selected, weather report will be sent to APRS-IS server."};

const BlockHints kTeledataHints = {
    "Telemetry data destination.",
    "Telemetry data path in New-N format. If you leave this field blank, telemetry data will be "
    "sent without path.",
    "n value for telemetry data path in New-N format.",
    "N value for telemetry data path in New-N format.",
    "Telemetry data TX rate to RF (minutes).",
    "Telemetry data TX rate to APRS-IS (minutes).",
    "If selected, telemetry data will be sent to RF.",
    "If selected, Telemetry data will be sent to APRS-IS server."};

const BlockHints kTeleparamsHints = {
    "Telemetry parameters destination.",
    "Telemetry parameters path in New-N format. If you leave this field blank, telemetry "
    "parameters will be sent without path.",
    "n value for telemetry parameters path in New-N format.",
    "N value for telemetry parameters path in New-N format.",
    "Telemetry parameters TX rate to RF (minutes).",
    "Telemetry parameters TX rate to APRS-IS (minutes).",
    "If selected, telemetry parameters will be sent to RF.",
    "If selected, Telemetry parameters will be sent to APRS-IS server."};

struct BlockRow {
  int page;
  QString prefix;
  QString pathName;
  int startDest;
  int rateLength;
  const BlockHints* hints;
};

const QList<BlockRow> kBlocks = {
    {2, "Beacon1_", "Beacon1_Path", 1, 4, &kBeaconHints},
    {2, "Beacon2_", "Beacon2_Path", 0, 4, &kBeaconHints},
    {2, "Beacon3_", "Beacon3_Path", 0, 4, &kBeaconHints},
    {2, "Beacon4_", "Beacon4_Path", 0, 4, &kBeaconHints},
    {2, "Beacon5_", "Beacon5_Path", 0, 4, &kBeaconHints},
    {2, "Beacon6_", "Beacon6_Path", 0, 4, &kBeaconHints},
    {2, "Beacon7_", "Beacon7_Path", 0, 4, &kBeaconHints},
    {2, "Beacon8_", "Beacon8_Path", 0, 4, &kBeaconHints},
    {5, "Weather_", "Weather_path", 1, 3, &kWeatherHints},
    {9, "Teledata_", "Teledata_path", 1, 3, &kTeledataHints},
    {9, "Teleparams_", "Teleparams_path", 1, 3, &kTeleparamsHints},
};

const QStringList kSpecialStrings = {
    "<date> - inserts current time in format: DDHHMM. ",
    "<lat> - inserts latitude defined on  \"Radio\" Tab.",
    "<long> - inserts longitude defined on  \"Radio\" Tab.",
    "Example:",
    "@<date>z<lat>/<long>-VARDEX Test.",
};

}  // namespace

class ReportBlockPagesTest : public QObject {
  Q_OBJECT

 private:
  void CheckEdit(QWidget* page, const QString& name, const QString& text, int maxLength,
                 const QString& hint) {
    auto* edit = Child<QLineEdit>(page, name);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->maxLength(), maxLength);
    QCOMPARE(edit->toolTip(), hint);
    QVERIFY2(!edit->accessibleName().isEmpty(), qPrintable(name));
  }

  static vardex::ConfigImage StartUpImage() {
    vardex::ConfigImage image;
    if (!vardex::BuildConfigImage(vardex::ConfigSettings{}, image).Succeeded())
      qFatal("defaults fail");
    return image;
  }

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void everyReportBlockRowAtStartUp() {
    TForm1 form;
    for (const BlockRow& row : kBlocks) {
      QWidget* page = form.Page(row.page);
      const BlockHints& hints = *row.hints;
      auto* dest = Child<QComboBox>(page, row.prefix + "dest");
      QCOMPARE(dest->count(), 2);
      QCOMPARE(dest->itemText(0), QString("BEACON0"));
      QCOMPARE(dest->itemText(1), QString("APVDX10"));
      QVERIFY(dest->isEditable());
      QCOMPARE(dest->currentIndex(), row.startDest);
      QCOMPARE(dest->toolTip(), hints.dest);
      CheckEdit(page, row.pathName, "WIDE", 5, hints.path);
      CheckEdit(page, row.prefix + "smalln", "2", 1, hints.smalln);
      CheckEdit(page, row.prefix + "bign", "2", 1, hints.bign);
      CheckEdit(page, row.prefix + "txrate_rf", "5", row.rateLength, hints.rateRf);
      CheckEdit(page, row.prefix + "txrate_aprsis", "5", row.rateLength, hints.rateIs);
      for (const auto& [suffix, hint] : {std::pair{QString("torf"), hints.toRf},
                                         std::pair{QString("toaprsis"), hints.toAprsIs}}) {
        auto* check = Child<QCheckBox>(page, row.prefix + suffix);
        QVERIFY(check->isChecked());
        QCOMPARE(check->toolTip(), hint);
      }
    }
  }

  void beaconMessagesAndTheirHeading() {
    TForm1 form;
    QWidget* page = form.Page(2);
    QCOMPARE(Child<QLabel>(page, "Label30")->text(),
             QString("Message (empty fields are ignored):"));
    QCOMPARE(Child<QPushButton>(page, "Button11")->text(), QString("Special strings"));
    for (int k = 1; k <= 8; ++k) {
      CheckEdit(page, QStringLiteral("Beacon%1_msg").arg(k),
                k == 1 ? "@<date>z<lat>/<long>-VARDEX Test." : "", 64,
                "Beacon message. Please check \"Special strings\".");
    }
    QCOMPARE(Child<QLineEdit>(page, "Beacon3_msg")->accessibleName(), QString("Beacon 3 Message"));
    QCOMPARE(Child<QLineEdit>(page, "Beacon3_txrate_rf")->accessibleName(),
             QString("Beacon 3 Rate [RF]"));
  }

  void weatherPageControls() {
    TForm1 form;
    QWidget* page = form.Page(5);
    auto* station = Child<QComboBox>(page, "Weather_stationtype");
    const QStringList entries = {"None",
                                 "Peet Bros Ultimeter 100",
                                 "Peet Bros Ultimeter 800",
                                 "Peet Bros Ultimeter 2000",
                                 "Peet Bros Ultimeter 2100",
                                 "WS-2300",
                                 "WS-2350",
                                 "Davis Vantage Pro",
                                 "Davis Vantage Pro2",
                                 "Davis Vantage Pro Plus",
                                 "Davis Vantage Pro2 Plus"};
    QCOMPARE(station->count(), entries.size());
    for (int i = 0; i < entries.size(); ++i) QCOMPARE(station->itemText(i), entries[i]);
    QCOMPARE(station->currentIndex(), 5);
    QCOMPARE(station->toolTip(), QString("Weather station selection box."));
    QCOMPARE(station->accessibleName(), QString("Weather station"));
    CheckEdit(page, "Weather_comment", "Vardex weather", 32, "weather report comment.");
    QCOMPARE(Child<QLineEdit>(page, "Weather_comment")->accessibleName(), QString("Comment"));
  }

  void telemetryParametersRowStandsAboveTheDataRow() {
    TForm1 form;
    QWidget* page = form.Page(9);
    auto* parameters = Child<QWidget>(page, "Teleparams_dest");
    auto* data = Child<QWidget>(page, "Teledata_dest");
    auto* grid = qobject_cast<QGridLayout*>(parameters->parentWidget()->layout());
    QVERIFY(grid != nullptr);
    int parametersRow = -1, dataRow = -1, column = 0, span = 0;
    grid->getItemPosition(grid->indexOf(parameters), &parametersRow, &column, &span, &span);
    grid->getItemPosition(grid->indexOf(data), &dataRow, &column, &span, &span);
    QVERIFY(parametersRow >= 0);
    QCOMPARE(dataRow, parametersRow + 1);
    QCOMPARE(Child<QLineEdit>(page, "Teledata_path")->accessibleName(),
             QString("Telemetry data Path(n-N)"));
  }

  void startUpBeaconOneAndWeatherAreWrittenAsTheirBytes() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    QVERIFY(form.BuildConfigImage());
    const auto& bytes = form.WriteImage().bytes;
    auto slice = [&bytes](int offset, int count) {
      return QByteArray(reinterpret_cast<const char*>(&bytes[offset]), count);
    };
    QCOMPARE(slice(340, 24), QByteArray::fromHex("4150564458313000"
                                                 "574944450000"
                                                 "0202"
                                                 "05000000"
                                                 "05000000"));
    QCOMPARE(slice(364, 34), QByteArray("@<date>z<lat>/<long>-VARDEX Test.", 34));
    QCOMPARE(slice(429, 3), QByteArray::fromHex("010100"));
    QCOMPARE(slice(52, 28), QByteArray::fromHex("05"
                                                "4150564458313000"
                                                "574944450000"
                                                "0202"
                                                "000000"
                                                "05000000"
                                                "05000000"));
    QCOMPARE(slice(80, 15), QByteArray("Vardex weather", 15));
    QCOMPARE(slice(113, 2), QByteArray::fromHex("0101"));
  }

  void beaconMessageErrorComesAfterItsBlockAndBeforeTheNextBeacon() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    QWidget* page = form.Page(2);
    Child<QLineEdit>(page, "Beacon3_msg")->setText(QString::fromUtf8("Caf\xC3\xA9"));
    Child<QLineEdit>(page, "Beacon4_bign")->setText("0");
    QVERIFY(!form.BuildConfigImage());
    Child<QLineEdit>(page, "Beacon3_smalln")->setText("1");  // below N = 2
    QVERIFY(!form.BuildConfigImage());
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[0].text, QString("Beacon 3 message - forbidden characters."));
    QCOMPARE(boxes.shown[1].text, QString("Beacon 3 path, n should be >= N."));
  }

  // A three-character rate box shows 1000 to 1440 from a read in full and
  // writes it back unchanged.
  void fourDigitRateFromTheDeviceSurvivesTheThreeCharacterBox() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    vardex::ConfigImage image = StartUpImage();
    image.bytes[72] = 0xA0;  // weather RF rate 1440
    image.bytes[73] = 0x05;
    image.bytes[1292] = 0xE8;  // telemetry data IS rate 1000
    image.bytes[1293] = 0x03;
    form.ShowConfigImage(image);

    auto* weatherRate = Child<QLineEdit>(form.Page(5), "Weather_txrate_rf");
    QCOMPARE(weatherRate->text(), QString("1440"));
    QCOMPARE(Child<QLineEdit>(form.Page(9), "Teledata_txrate_aprsis")->text(), QString("1000"));
    QVERIFY(form.BuildConfigImage());
    QCOMPARE(boxes.shown.size(), 0);
    QCOMPARE(form.WriteImage().bytes[72], 0xA0);
    QCOMPARE(form.WriteImage().bytes[73], 0x05);
    QCOMPARE(form.WriteImage().bytes[1292], 0xE8);
    QCOMPARE(form.WriteImage().bytes[1293], 0x03);

    // Once the user shortens it, the box takes three typed characters again.
    weatherRate->setFocus();
    weatherRate->selectAll();
    QTest::keyClicks(weatherRate, "12345");
    QCOMPARE(weatherRate->text(), QString("123"));
  }

  void readRestoresDestsAndOutOfRuleValuesAreRefused() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    vardex::ConfigImage image = StartUpImage();
    const QByteArray beacon0("BEACON0", 8);
    std::copy(beacon0.begin(), beacon0.end(), image.bytes.begin() + 53);   // weather dest
    std::copy(beacon0.begin(), beacon0.end(), image.bytes.begin() + 340);  // beacon 1 dest
    image.bytes[1310] = 9;                                                 // telemetry parameters N
    form.ShowConfigImage(image);

    QCOMPARE(Child<QComboBox>(form.Page(5), "Weather_dest")->currentIndex(), 0);
    QCOMPARE(Child<QComboBox>(form.Page(2), "Beacon1_dest")->currentIndex(), 0);
    QCOMPARE(Child<QLineEdit>(form.Page(9), "Teleparams_bign")->text(), QString("9"));
    QVERIFY(!form.BuildConfigImage());
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text,
             QString("Telemeetry parameters path, N value range error (1 - 7)."));
  }

  void specialStringsShowsTheSameHelpWindowEachTime() {
    TForm1 form;
    TForm2 form2(&form);
    form.SetForm2(&form2);
    auto* button = Child<QPushButton>(form.Page(2), "Button11");
    for (int press = 1; press <= 2; ++press) {
      QStringList shown;
      bool wasModal = false;
      // Runs inside the dialog's own event loop, then closes it.
      QTimer::singleShot(0, &form2, [&] {
        wasModal = QApplication::activeModalWidget() == &form2 && form2.isVisible();
        for (int i = 1; i <= 5; ++i) {
          shown << Child<QLabel>(&form2, QStringLiteral("Label%1").arg(i))->text();
        }
        form2.close();
      });
      QTest::mouseClick(button, Qt::LeftButton);
      QVERIFY2(wasModal, qPrintable(QStringLiteral("press %1").arg(press)));
      QCOMPARE(shown, kSpecialStrings);
      QVERIFY(!form2.isVisible());
    }
  }
};

QTEST_MAIN(ReportBlockPagesTest)
#include "report_block_pages_test.moc"
