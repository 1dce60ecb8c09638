// The window as a whole: its start-up controls write the complete expected
// image, and an image read from the device is written back unchanged.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "../config/sample_images.h"
#include "Unit1.h"
#include "config_driver.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

namespace {

void ExpectSameImage(const vardex::ConfigImage& actual,
                     const std::array<std::uint8_t, vardex::ConfigImage::kSize>& expected) {
  for (std::size_t offset = 0; offset < expected.size(); ++offset) {
    if (actual.bytes[offset] != expected[offset]) {
      QFAIL(qPrintable(QString("offset %1: %2 instead of %3")
                           .arg(offset)
                           .arg(actual.bytes[offset])
                           .arg(expected[offset])));
    }
  }
}

}  // namespace

class WholeWindowImageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void startUpWindowWritesTheExpectedImage() {
    SettableLocalTime clock(2025, 1, 1, 0, 0);
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes, nullptr, &clock);
    clock.Set(2026, 3, 7, 9, 5);  // the write takes the time of the write
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.shown.value(0).text));
    ExpectSameImage(form.WriteImage(), vardex::testing::ExpectedStartUpImage());
  }

  void readImageIsWrittenBackUnchanged() {
    vardex::ConfigImage varied;
    QVERIFY(vardex::BuildConfigImage(vardex::testing::VariedSettings(), varied).Succeeded());

    SettableLocalTime clock(2026, 3, 7, 9, 5);
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes, nullptr, &clock);
    form.ShowConfigImage(varied);
    // The clock set values are not read back; type the ones the image holds.
    Child<QCheckBox>(&form, "CheckBox21")->click();
    const QList<QPair<const char*, QString>> clockTexts = {
        {"Edit36", "2030"}, {"Edit40", "12"}, {"Edit41", "31"}, {"Edit42", "23"}, {"Edit43", "59"}};
    for (const auto& [name, text] : clockTexts) Child<QLineEdit>(&form, name)->setText(text);
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.shown.value(0).text));
    ExpectSameImage(form.WriteImage(), varied.bytes);

    // And back: the start-up image read over the varied controls.
    vardex::ConfigImage startUp;
    startUp.bytes = vardex::testing::ExpectedStartUpImage();
    form.ShowConfigImage(startUp);
    Child<QCheckBox>(&form, "CheckBox21")->click();  // PC time again: 2026-03-07 09:05
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.shown.value(0).text));
    ExpectSameImage(form.WriteImage(), startUp.bytes);
  }
};

QTEST_MAIN(WholeWindowImageTest)
#include "whole_window_image_test.moc"
