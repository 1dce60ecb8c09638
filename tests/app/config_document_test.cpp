// The configuration document without a window: where the values came from
// and the title, the question before a write, the edits against the base,
// a backup saved as the device's own bytes, and the file a save dialog's
// answer names.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "../config/sample_images.h"
#include "config_document.h"
#include "config_file_chooser.h"
#include "page_test_support.h"

namespace {

QByteArray Bytes(const vardex::ConfigImage& image) {
  return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), 2048);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A device's image: the start-up fields, a preamble of 5 ms that the window
// refuses, clock words of its own, and bytes that no field shows.
vardex::ConfigImage DeviceImage() {
  vardex::ConfigImage image;
  image.bytes = vardex::testing::ExpectedStartUpImage();
  image.bytes[12] = 5;  // preamble length: the rule wants 200 to 1000
  image.bytes[13] = 0;
  image.bytes[320] = 0xE9;  // clock year 2025
  image.bytes[321] = 0x07;
  image.bytes[50] = 0x07;    // reserved
  image.bytes[1551] = 0x33;  // reserved, inside the checksum
  image.bytes[1600] = 0x5A;  // beyond the checksum
  vardex::StoreImageChecksum(image);
  return image;
}

// An image as a read hands it over.
vardex::SharedConfigImage AsRead(const vardex::ConfigImage& image) {
  return std::make_shared<const vardex::ConfigImage>(image);
}

const vardex::ImageField& Field(const char* key) {
  return *vardex::FindField(key);
}

vardex::FieldValue Text(const char* text) {
  return {text};
}

}  // namespace

class ConfigDocumentTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  SettableLocalTime clock_{2026, 3, 7, 9, 5};
  QString Path(const QString& name) const { return dir_.path() + "/" + name; }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void theTitleSaysWhereTheValuesCameFrom() {
    const QString title = "VARDEX Plus Configurator v1.26";
    vardex::ConfigDocument doc(clock_);
    QCOMPARE(doc.Title(), title);
    doc.SetValue(Field("radio.callsign"), Text("VX7XYZ"));
    QCOMPARE(doc.Title(), title + " - start-up values (edited)");
    doc.TakeRead(AsRead(DeviceImage()), "COM3");
    QCOMPARE(doc.Title(), title + " - the device on COM3 read at 09:05");
    doc.SetValue(Field("radio.callsign"), Text("VX7XYZ"));
    QCOMPARE(doc.Title(), title + " - the device on COM3 read at 09:05 (edited)");
  }

  void aWriteAsksWhenTheValuesAreNotThePortsOwn() {
    vardex::ConfigDocument doc(clock_);
    const auto startUp = doc.QuestionBeforeWrite("COM4");
    QVERIFY(startUp.has_value());
    QCOMPARE(startUp->text,
             QString("The pages hold the start-up values, not a configuration read from this "
                     "device or opened from a file. \"Write config\" replaces the whole "
                     "configuration of the device on COM4 with them."));
    QCOMPARE(startUp->detail, QString("To keep the device's configuration, press \"Read config\" "
                                      "first, or open a saved file."));
    doc.TakeRead(AsRead(DeviceImage()), "COM3");
    QVERIFY(!doc.QuestionBeforeWrite("COM3").has_value());
    const auto other = doc.QuestionBeforeWrite("COM5");
    QVERIFY(other.has_value());
    QVERIFY2(other->text.startsWith("The pages hold values read from the device on COM3, ") &&
                 other->text.contains("the device on COM5 with them."),
             qPrintable(other->text));
  }

  void editsAreCountedAgainstTheBase() {
    vardex::ConfigDocument doc(clock_);
    doc.TakeRead(AsRead(DeviceImage()), "COM3");
    QCOMPARE(doc.EditCount(), 0);
    doc.SetValue(Field("radio.callsign"), Text("VX7XYZ"));
    doc.SetValue(Field("clock.year"), Text("1999"));  // the PC's own: no edit
    QCOMPARE(doc.EditCount(), 1);
    QCOMPARE(doc.Edits().front(), &Field("radio.callsign"));
    doc.RevertAll();
    QCOMPARE(doc.EditCount(), 0);
    QCOMPARE(doc.Settings().radio.callsign, std::string("NOCALL"));
  }

  // A backup holds the device's bytes: saved untouched, opened and saved
  // again, and with an edit stored over them.
  void aBackupIsTheDevicesBytes() {
    const vardex::ConfigImage device = DeviceImage();
    vardex::ConfigDocument doc(clock_);
    doc.TakeRead(AsRead(device), "COM3");
    QVERIFY(doc.Save(Path("backup.img")).saved);
    QCOMPARE(ReadFile(Path("backup.img")), Bytes(device));

    vardex::ConfigDocument reopened(clock_);
    QString error;
    QVERIFY2(reopened.Open(Path("backup.img"), error), qPrintable(error));
    QCOMPARE(reopened.Title(), QString("VARDEX Plus Configurator v1.26 - backup.img"));
    QVERIFY(reopened.Save(Path("again.img")).saved);
    QCOMPARE(ReadFile(Path("again.img")), Bytes(device));

    reopened.SetValue(Field("radio.callsign"), Text("VX7XYZ"));
    QVERIFY(reopened.Save(Path("edited.img")).saved);
    QByteArray expected = Bytes(device);
    expected.replace(4, 6, "VX7XYZ");
    const QByteArray edited = ReadFile(Path("edited.img"));
    QCOMPARE(edited.mid(4), expected.mid(4));
    vardex::ConfigImage check;
    std::copy(edited.begin(), edited.end(), check.bytes.begin());
    QVERIFY(vardex::ImageChecksumHolds(check));
  }

  // A write after a read sends the bytes no field shows as read; the
  // start-up values send zeros there.
  void aWriteKeepsTheBytesNoFieldShows() {
    vardex::ConfigImage device = DeviceImage();
    device.bytes[12] = 0x2C;  // 300 ms: every rule passes
    device.bytes[13] = 0x01;
    vardex::StoreImageChecksum(device);
    vardex::ConfigDocument doc(clock_);
    QVERIFY(doc.BuildImageToSend().Succeeded());
    QCOMPARE(int(doc.ImageToSend().bytes[1600]), 0);
    doc.TakeRead(AsRead(device), "COM3");
    doc.SetValue(Field("radio.callsign"), Text("VX7XYZ"));
    QVERIFY(doc.BuildImageToSend().Succeeded());
    const vardex::ConfigImage& sent = doc.ImageToSend();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&sent.bytes[4]), 6), QByteArray("VX7XYZ"));
    for (const std::size_t offset : {50, 1551, 1600})
      QCOMPARE(int(sent.bytes[offset]), int(device.bytes[offset]));
    QVERIFY(vardex::ImageChecksumHolds(sent));
  }

  void aSaveDialogAsksAboutTheFileItWrites() {
    QVERIFY(QFile(Path("site.img")).open(QIODevice::WriteOnly));
    const struct {
      QString chosen;
      bool textForm;
      QString path;
      bool askFirst;
    } cases[] = {
        {Path("site"), false, Path("site.img"), true},  // the dialog asked about "site" only
        {Path("site"), true, Path("site.txt"), false},
        {Path("site.img"), false, Path("site.img"), false},  // the dialog asked itself
        {Path("new"), false, Path("new.img"), false},
    };
    for (const auto& c : cases) {
      const vardex::SaveTarget target = vardex::SaveTargetFor(c.chosen, c.textForm);
      QCOMPARE(target.path, c.path);
      QCOMPARE(target.askFirst, c.askFirst);
    }
  }
};

// A QApplication only because the Windows run passes "-platform offscreen" to
// every program here; the document itself uses no widget.
QTEST_MAIN(ConfigDocumentTest)
#include "config_document_test.moc"
