#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "Unit1.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

class NetworkPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void controlsWithTextsHintsAndLimits() {
    TForm1 form;
    QWidget* page = form.Page(3);
    QCOMPARE(page->objectName(), QString("TabSheet9"));
    Child<QTabWidget>(&form, "PageControl1")->setCurrentIndex(3);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    struct Row {
      QString label;
      QStringList boxes;
      QStringList texts;
      QString hint;
    };
    const QList<Row> rows = {
        {"IP Address:",
         {"Edit9", "Edit10", "Edit11", "Edit12"},
         {"192", "168", "2", "2"},
         "Device IP address."},
        {"IP Mask:",
         {"Edit13", "Edit15", "Edit17", "Edit19"},
         {"255", "255", "255", "0"},
         "Device network mask"},
        {"Gateway:",
         {"Edit14", "Edit16", "Edit18", "Edit20"},
         {"192", "168", "2", "1"},
         "Your network gateway/router IP."},
        {"DNS:",
         {"Edit24", "Edit25", "Edit26", "Edit27"},
         {"192", "168", "2", "1"},
         "Domain name server IP. This should be your ISP's DNS server IP. Also most home routers "
         "are able to relay DNS queries."},
    };
    int previousTop = -1;
    for (const Row& row : rows) {
      QVERIFY2(HasLabel(page, row.label), qPrintable(row.label));
      int previousLeft = -1;
      for (int i = 0; i < 4; ++i) {
        auto* edit = Child<QLineEdit>(page, row.boxes[i]);
        QCOMPARE(edit->text(), row.texts[i]);
        QCOMPARE(edit->maxLength(), 3);
        QCOMPARE(edit->toolTip(), row.hint);
        QCOMPARE(edit->accessibleName(),
                 QString("%1 octet %2").arg(row.label.chopped(1)).arg(i + 1));
        QVERIFY(edit->isEnabled());
        // Octets stand left to right on one row; rows stand top to bottom.
        QVERIFY(edit->geometry().left() > previousLeft);
        previousLeft = edit->geometry().left();
      }
      const int top = Child<QLineEdit>(page, row.boxes[0])->geometry().top();
      QVERIFY(top > previousTop);
      previousTop = top;
    }
  }

  void maskIsCheckedBeforeGatewayOnWrite() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QLineEdit>(&form, "Edit19")->setText("256");  // mask, rightmost octet
    Child<QLineEdit>(&form, "Edit14")->setText("-1");   // gateway, stored first
    Child<QPushButton>(&form, "Button5")->click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].style, QString("information"));
    QCOMPARE(boxes.shown[0].text, QString("IP Mask - range error (0 - 255)."));
    QCOMPARE(Child<QLineEdit>(&form, "Edit19")->text(), QString("256"));

    boxes.shown.clear();
    Child<QLineEdit>(&form, "Edit19")->setText("0");
    Child<QPushButton>(&form, "Button5")->click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QString("Gateway - range error (0 - 255)."));
  }

  void writtenInStorageOrderAndReadBack() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    const auto& bytes = form.WriteImage().bytes;
    const int expected[16] = {192, 168, 2, 2, 192, 168, 2, 1, 255, 255, 255, 0, 192, 168, 2, 1};
    for (int i = 0; i < 16; ++i) QCOMPARE(int(bytes[301 + i]), expected[i]);

    vardex::ConfigImage image = form.WriteImage();
    image.bytes[301] = 10;
    image.bytes[302] = 0;
    image.bytes[303] = 0;
    image.bytes[304] = 7;
    image.bytes[309] = 0;
    form.ShowConfigImage(image);
    QCOMPARE(Child<QLineEdit>(&form, "Edit9")->text(), QString("10"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit10")->text(), QString("0"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit11")->text(), QString("0"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit12")->text(), QString("7"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit13")->text(), QString("0"));
    QCOMPARE(Child<QLineEdit>(&form, "Edit14")->text(), QString("192"));
  }
};

QTEST_MAIN(NetworkPageTest)
#include "network_page_test.moc"
