#include <QImage>
#include <QTest>

#include "app_platform.h"

namespace vardex {
namespace {

// The icon is a rounded tile: corners transparent, inside opaque in the
// tile's blue (#1f4e79), the mast white. Sampled at points given in the
// drawing's 128-unit grid.
class ApplicationIconTest : public QObject {
  Q_OBJECT

 private slots:
  void RendersEverySize_data() {
    QTest::addColumn<int>("size");
    // Below 48 pixels the ground line is narrower than a pixel row.
    QTest::addColumn<bool>("groundLineSolid");
    QTest::newRow("16") << 16 << false;
    QTest::newRow("32") << 32 << false;
    QTest::newRow("48") << 48 << true;
    QTest::newRow("256") << 256 << true;
  }

  void RendersEverySize() {
    QFETCH(int, size);
    QFETCH(bool, groundLineSolid);
    const QIcon icon = ApplicationIcon();
    QVERIFY(!icon.isNull());
    const QImage image =
        icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(size, size));
    const auto at = [&](int x, int y) { return image.pixel(x * size / 128, y * size / 128); };
    QCOMPARE(qAlpha(at(0, 0)), 0);
    QCOMPARE(qAlpha(at(127, 127)), 0);
    QCOMPARE(at(16, 64), qRgba(0x1f, 0x4e, 0x79, 0xff));
    QCOMPARE(at(104, 104), qRgba(0x1f, 0x4e, 0x79, 0xff));
    if (groundLineSolid) {
      QCOMPARE(at(64, 108), qRgba(0xff, 0xff, 0xff, 0xff));
    }
  }
};

}  // namespace
}  // namespace vardex

QTEST_MAIN(vardex::ApplicationIconTest)
#include "application_icon_test.moc"
