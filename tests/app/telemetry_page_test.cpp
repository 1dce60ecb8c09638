#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Unit1.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

namespace {

struct Channel {
  const char* source;
  QStringList boxes;  // name, units, coefficients A, B, C
  const char* average;
  const char* button;
  int textLimit;
};

const QList<Channel> kChannels = {
    {"ComboBox21", {"Edit61", "Edit62", "Edit63", "Edit64", "Edit65"}, "ComboBox29", "Button6", 7},
    {"ComboBox22", {"Edit66", "Edit67", "Edit68", "Edit69", "Edit70"}, "ComboBox30", "Button7", 7},
    {"ComboBox23", {"Edit71", "Edit72", "Edit73", "Edit74", "Edit75"}, "ComboBox31", "Button8", 6},
    {"ComboBox24", {"Edit78", "Edit79", "Edit80", "Edit81", "Edit82"}, "ComboBox32", "Button9", 6},
    {"ComboBox25", {"Edit86", "Edit87", "Edit88", "Edit89", "Edit90"}, "ComboBox33", "Button10", 5},
};

const QStringList kSources = {"Not used",
                              "Current1 (5A fullscale)",
                              "Current1 (2.5A fullscale)",
                              "Current1 (1.25A fullscale)",
                              "Current2 (5A fullscale)",
                              "Current2 (2.5A fullscale)",
                              "Current2 (1.25A fullscale)",
                              "Voltage1",
                              "Voltage2",
                              "Temperature (DS18B20)",
                              "Temperature (DS18S20)"};

QStringList Texts(QWidget* form, const Channel& c) {
  QStringList texts;
  for (const QString& box : c.boxes) texts << Child<QLineEdit>(form, box)->text();
  return texts;
}

QStringList Items(QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

}  // namespace

class TelemetryPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void moduleSwitch() {
    TForm1 form;
    QWidget* page = form.Page(9);
    QCOMPARE(page->objectName(), QString("TabSheet8"));
    auto* module = Child<QComboBox>(page, "ComboBox26");
    QCOMPARE(Items(module), QStringList({"Disabled", "Enabled"}));
    QCOMPARE(module->currentIndex(), 0);
    QCOMPARE(module->toolTip(), QString("Enables or dissables telemetry module support."));
    QCOMPARE(module->accessibleName(), QString("Telemetry module"));
    for (const char* heading :
         {"Source:", "Name:", "Units:", "Coeff A:", "Coeff B:", "Coeff C:", "1 min average:"}) {
      QVERIFY2(HasLabel(page, heading), heading);
    }
  }

  void channelControlsAtStart() {
    TForm1 form;
    QWidget* page = form.Page(9);
    const int startSources[5] = {1, 4, 7, 8, 9};
    const QList<QStringList> startTexts = {{"I1", "mA", "0", "19.5", "0"},
                                           {"I2", "mA", "0", "19.5", "0"},
                                           {"U1", "Volt", "0", "0.1", "0"},
                                           {"U2", "Volt", "0", "0.1", "0"},
                                           {"Temp", "C", "0", "0.5", "-64"}};
    const QStringList coefficientLetters = {"A", "B", "C"};
    for (int k = 1; k <= 5; ++k) {
      const Channel& c = kChannels[k - 1];
      const QString analog = QString("Analog channel %1").arg(k);
      QVERIFY(HasLabel(page, QString("Analog %1:").arg(k)));
      auto* source = Child<QComboBox>(page, c.source);
      QCOMPARE(Items(source), kSources);
      QCOMPARE(source->currentIndex(), startSources[k - 1]);
      QCOMPARE(source->toolTip(), analog + " measurement source in telemetry module.");
      QCOMPARE(Texts(page, c), startTexts[k - 1]);
      auto* name = Child<QLineEdit>(page, c.boxes[0]);
      auto* units = Child<QLineEdit>(page, c.boxes[1]);
      QCOMPARE(name->maxLength(), c.textLimit);
      QCOMPARE(units->maxLength(), c.textLimit);
      QCOMPARE(name->toolTip(), analog + " report name.");
      QCOMPARE(units->toolTip(), analog + " report units.");
      for (int i = 0; i < 3; ++i) {
        auto* coefficient = Child<QLineEdit>(page, c.boxes[2 + i]);
        QCOMPARE(coefficient->maxLength(), 8);
        QCOMPARE(coefficient->toolTip(),
                 QString("%1 telemetry calculation coefficient %2. Equation: A*x*x+B*x+C (where x "
                         "is the measurement sample).")
                     .arg(analog, coefficientLetters[i]));
      }
      auto* average = Child<QComboBox>(page, c.average);
      QCOMPARE(Items(average), QStringList({"Off", "On"}));
      QCOMPARE(average->currentIndex(), 0);
      QCOMPARE(average->toolTip(), QString("If selected, the device will calculate 1 minute "
                                           "average of measured samples."));
      auto* button = Child<QPushButton>(page, c.button);
      QCOMPARE(button->text(), QString("Default parameters"));
      QCOMPARE(button->toolTip(), QString("Default parameters for telemetry module."));
    }
  }

  void defaultParametersFollowTheSelectedSource() {
    TForm1 form;
    const Channel& channel4 = kChannels[3];
    auto* source4 = Child<QComboBox>(&form, channel4.source);
    auto* average4 = Child<QComboBox>(&form, channel4.average);
    source4->setCurrentIndex(0);  // "Not used"
    average4->setCurrentIndex(1);
    Child<QPushButton>(&form, channel4.button)->click();
    QCOMPARE(Texts(&form, channel4), QStringList({"A4", "None", "0", "0", "0"}));
    QCOMPARE(source4->currentIndex(), 0);
    QCOMPARE(average4->currentIndex(), 1);

    // The name follows the source, not the channel.
    const Channel& channel3 = kChannels[2];
    Child<QComboBox>(&form, channel3.source)->setCurrentIndex(1);
    Child<QPushButton>(&form, channel3.button)->click();
    QCOMPARE(Texts(&form, channel3), QStringList({"I1", "mA", "0", "19.5", "0"}));

    // Set directly, so a text longer than the box's typing limit still fits.
    const Channel& channel5 = kChannels[4];
    Child<QComboBox>(&form, channel5.source)->setCurrentIndex(6);
    Child<QPushButton>(&form, channel5.button)->click();
    QCOMPARE(Texts(&form, channel5), QStringList({"I2", "mA", "0", "4.88", "0"}));
    // Other channels are untouched.
    QCOMPARE(Texts(&form, kChannels[0]), QStringList({"I1", "mA", "0", "19.5", "0"}));
  }

  void defaultParametersDoNothingWithoutASelectedSource() {
    TForm1 form;
    const Channel& channel2 = kChannels[1];
    auto* source = Child<QComboBox>(&form, channel2.source);
    Child<QLineEdit>(&form, channel2.boxes[0])->setText("mine");
    source->setEditText("Voltage 1");  // typed, matches no item
    Child<QPushButton>(&form, channel2.button)->click();
    QCOMPARE(Texts(&form, channel2), QStringList({"mine", "mA", "0", "19.5", "0"}));
    QCOMPARE(source->currentText(), QString("Voltage 1"));
  }

  void writeAndReadBack() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QComboBox>(&form, "ComboBox26")->setCurrentIndex(1);
    Child<QLineEdit>(&form, "Edit88")->setText("abc");  // coefficients are stored as typed
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    const auto& bytes = form.WriteImage().bytes;
    QCOMPARE(int(bytes[1268]), 1);
    QCOMPARE(int(bytes[1504]), 9);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&bytes[1504 + 17])), QByteArray("abc"));

    vardex::ConfigImage image = form.WriteImage();
    const int averages[5] = {1, 0, 1, 0, 1};
    for (int k = 0; k < 5; ++k) image.bytes[1324 + 45 * k + 44] = averages[k];
    image.bytes[1369] = 10;
    image.bytes[1268] = 0;
    form.ShowConfigImage(image);
    QCOMPARE(Child<QComboBox>(&form, "ComboBox26")->currentText(), QString("Disabled"));
    const QStringList shown = {"On", "Off", "On", "Off", "On"};
    for (int k = 0; k < 5; ++k) {
      QCOMPARE(Child<QComboBox>(&form, kChannels[k].average)->currentText(), shown[k]);
    }
    QCOMPARE(Child<QComboBox>(&form, "ComboBox22")->currentText(),
             QString("Temperature (DS18S20)"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit88")->text(), QString("abc"));
  }
};

QTEST_MAIN(TelemetryPageTest)
#include "telemetry_page_test.moc"
