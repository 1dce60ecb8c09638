#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include "Unit1.h"
#include "page_area.h"
#include "recording_message_boxes.h"
#include "window_placement.h"

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void keepsItsPlaceWhenItFitsAndMovesTheLeastOtherwise() {
    struct Case {
      const char* what;
      QRect available;
      QSize frame;
      QPoint wanted;
      QPoint placed;
    };
    const QList<Case> cases = {
        {"fits", {0, 0, 1280, 1024}, {745, 480}, {350, 217}, {350, 217}},
        {"touches both edges", {0, 0, 1095, 697}, {745, 480}, {350, 217}, {350, 217}},
        {"one pixel too wide", {0, 0, 1094, 697}, {745, 480}, {350, 217}, {349, 217}},
        {"too low", {0, 0, 1024, 600}, {745, 480}, {350, 217}, {279, 120}},
        {"panel on top", {0, 40, 1024, 728}, {745, 480}, {350, 10}, {279, 40}},
        {"panel on the left", {60, 0, 964, 768}, {745, 480}, {20, 217}, {60, 217}},
        {"larger than the screen", {0, 0, 640, 400}, {745, 480}, {350, 217}, {0, 0}},
        {"second screen", {1024, 0, 1280, 1024}, {745, 480}, {1900, 900}, {1559, 544}},
        {"help window", {0, 0, 800, 400}, {259, 150}, {538, 301}, {538, 250}},
    };
    for (const Case& c : cases) {
      QCOMPARE(vardex::PlaceWindow(c.available, c.frame, c.wanted), c.placed);
    }
  }

  void pagesScrollWhenTheScreenIsTooSmall() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    auto* tabs = form.findChild<QTabWidget*>("PageControl1");
    vardex::FitPagesInto(&form, tabs, QSize(2000, 2000), QSize());
    const QSize full = form.size();
    // 100 pixels less room than the window needs in each direction.
    const QSize room = full - QSize(100, 100);
    vardex::FitPagesInto(&form, tabs, room, QSize(0, 30));
    QVERIFY(form.width() <= room.width());
    QVERIFY(form.height() + 30 <= room.height());
    auto* area = qobject_cast<QScrollArea*>(tabs->widget(9));  // "Telemetry module"
    QVERIFY(area != nullptr);
    tabs->setCurrentIndex(9);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    // With room again the window takes its full size back.
    vardex::FitPagesInto(&form, tabs, QSize(2000, 2000), QSize());
    QCOMPARE(form.size(), full);
  }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
