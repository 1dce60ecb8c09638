#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Unit1.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"
#include "world_map.h"

// Takes the addresses the window hands to the browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  UrlCatcher() { QDesktopServices::setUrlHandler("https", this, "Open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("https"); }
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.append(url); }
};

class PositionAreaTest : public QObject {
  Q_OBJECT

 private slots:
  void typedDegreesTakeTheDeviceFormWhenTheBoxIsLeft() {
    struct Case {
      const char* box;
      QString typed;
      QString shown;
      int offset;       // where the write image holds the box's text
      QString refusal;  // what "Write config" says, if anything
    };
    const QList<Case> cases = {
        {"Edit4", "52.3600", "5221.60N", 28, ""},
        {"Edit4", QString::fromUtf8("52\u00B021.6N"), "5221.60N", 28, ""},
        {"Edit5", "-16.8938", "01653.63W", 37, ""},
        {"Edit4", "521.60N", "521.60N", 28, "Latitude - syntax error (ex. 5221.60N)."},
        // Cut to the box's 8 characters, it has lost its S: it is not taken for north.
        {"Edit4", QString::fromUtf8("33\u00B052'07\"S"), QString::fromUtf8("33\u00B052'07"), 28,
         "Latitude - syntax error (ex. 5221.60N)."},
    };
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      auto* box = Child<QLineEdit>(form.Page(0), c.box);
      box->selectAll();
      QTest::keyClicks(box, c.typed);
      const QString kept = c.typed.left(box->maxLength());
      QCOMPARE(box->text(), kept);  // nothing turns while typing
      QTest::keyClick(box, Qt::Key_Return);
      QCOMPARE(box->text(), c.shown);
      QCOMPARE(form.BuildConfigImage(), c.refusal.isEmpty());
      if (!c.refusal.isEmpty()) {
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, c.refusal);
        continue;
      }
      const auto* bytes = reinterpret_cast<const char*>(form.WriteImage().bytes.data());
      QCOMPARE(QString::fromLatin1(bytes + c.offset), c.shown);
      box->undo();  // the turn is one edit: undo gives back what was typed
      QCOMPARE(box->text(), kept);
    }
  }

  void aPasteIsTakenWholeAndAPairFillsBothBoxes() {
    struct Case {
      const char* box;
      QString copied;
      QString latitude;
      QString longitude;
    };
    const QList<Case> cases = {
        {"Edit5", " 52.36000, -16.89383\n", "5221.60N", "01653.63W"},
        {"Edit4", QString::fromUtf8("33\u00B052'07\"S"), "3352.12S", "01653.63E"},
        {"Edit4", "52.36000; 16.89383", "52.36000", "01653.63E"},  // a paste as before: cut
    };
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      QGuiApplication::clipboard()->setText(c.copied);
      auto* box = Child<QLineEdit>(form.Page(0), c.box);
      box->selectAll();
      QTest::keySequence(box, QKeySequence::Paste);
      QCOMPARE(Child<QLineEdit>(form.Page(0), "Edit4")->text(), c.latitude);
      QCOMPARE(Child<QLineEdit>(form.Page(0), "Edit5")->text(), c.longitude);
    }
  }

  void whatAReadShowsIsNeverTurned() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    QVERIFY(form.BuildConfigImage());
    vardex::ConfigImage image = form.WriteImage();
    const char stored[] = "52.3600";  // 7 characters and the zero byte
    std::copy(stored, stored + sizeof stored, image.bytes.begin() + 28);
    auto* box = Child<QLineEdit>(form.Page(0), "Edit4");
    QTest::keyClicks(box, "1");  // typing, then a read arrives
    form.ShowConfigImage(image);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), QString("52.3600"));
    QTest::keyClick(box, Qt::Key_Return);  // left again without typing
    QCOMPARE(box->text(), QString("52.3600"));
  }

  void theAreaShowsThePlaceTheBoxesName() {
    struct Case {
      QString latitude;
      QString longitude;
      QString locator;
      QString decimal;
      QString url;  // empty: the button is off
      int side;     // the dot: 1 north-east of the map's middle, -1 south-west, 0 none
    };
    const QList<Case> cases = {
        {"5221.60N", "01653.63E", "Locator: JO82ki", "52.36000, 16.89383",
         "https://www.openstreetmap.org/?mlat=52.36000&mlon=16.89383#map=12/52.36000/16.89383", 1},
        {"3351.41S", "15112.90W", "Locator: BF46jd", "-33.85683, -151.21500",
         "https://www.openstreetmap.org/?mlat=-33.85683&mlon=-151.21500#map=12/-33.85683/"
         "-151.21500",
         -1},
        {"9999.99S", "01653.63E", "Locator: none", "Not a position", "", 0},
    };
    UrlCatcher browser;
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      form.show();
      QWidget* page = form.Page(0);
      Child<QLineEdit>(page, "Edit4")->setText(c.latitude);
      Child<QLineEdit>(page, "Edit5")->setText(c.longitude);
      QCOMPARE(Child<QLabel>(page, "PositionLocator")->text(), c.locator);
      QCOMPARE(Child<QLabel>(page, "PositionDecimal")->text(), c.decimal);
      auto* show = Child<QPushButton>(page, "ShowOnMap");
      QCOMPARE(show->isEnabled(), !c.url.isEmpty());
      browser.opened.clear();
      show->click();
      QCOMPARE(browser.opened, c.url.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(c.url)});
      auto* map = Child<vardex::WorldMap>(page, "WorldMap");
      QCOMPARE(map->Place().has_value(), !c.url.isEmpty());
      if (c.side != 0) {
        const QPointF middle = QRectF(map->rect()).center();
        const QPointF dot = map->DotAt();
        QCOMPARE(dot.x() > middle.x(), c.side > 0);
        QCOMPARE(dot.y() < middle.y(), c.side > 0);
      }
    }
  }

  void theAreaMovesNoControlOfThePage() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget* page = form.Page(0);
    const QStringList names = {"Edit1",      "Edit44",     "Edit2", "Edit3",
                               "ComboBox19", "ComboBox20", "Edit4", "Edit5"};
    QList<QRect> with;
    for (const QString& name : names) with.append(Child<QWidget>(page, name)->geometry());
    for (const char* name : {"PositionLocator", "PositionDecimal", "WorldMap", "ShowOnMap"})
      Child<QWidget>(page, name)->hide();
    page->layout()->activate();
    for (qsizetype i = 0; i < names.size(); ++i)
      QCOMPARE(Child<QWidget>(page, names[i])->geometry(), with[i]);
  }
};

QTEST_MAIN(PositionAreaTest)
#include "position_area_test.moc"
