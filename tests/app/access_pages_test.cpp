#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Unit1.h"
#include "page_test_support.h"
#include "recording_message_boxes.h"

class AccessPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void controlsWithTextsHintsAndLimits() {
    TForm1 form;
    QCOMPARE(form.Page(7)->objectName(), QString("TabSheet7"));
    QCOMPARE(form.Page(8)->objectName(), QString("TabSheet10"));
    struct EditRow {
      int page;
      const char* name;
      QString label;
      int maxLength;
      QString text;
      QString hint;
    };
    const QList<EditRow> edits = {
        {7, "www_user", "WWW user:", 12, "admin", "Web administration user name."},
        {7, "www_password", "WWW password:", 12, "kibzo", "Web administration password."},
        {7, "www_port", "WWW port:", 4, "80", "Web administration port number."},
        {8, "telnet_user", "Telnet user:", 12, "admin", "Telnet administration user name."},
        {8, "telnet_password", "Telnet password:", 12, "kibzo", "Telnet administration password."},
        {8, "telnet_port", "Telnet port:", 4, "23", "Telnet administration port number."},
    };
    for (const EditRow& row : edits) {
      auto* edit = Child<QLineEdit>(form.Page(row.page), row.name);
      QCOMPARE(edit->text(), row.text);
      QCOMPARE(edit->maxLength(), row.maxLength);
      QCOMPARE(edit->toolTip(), row.hint);
      QCOMPARE(edit->accessibleName(), row.label.chopped(1));  // the label without its colon
      QCOMPARE(edit->echoMode(), QLineEdit::Normal);           // passwords show in clear
      QVERIFY(HasLabel(form.Page(row.page), row.label));
    }
  }

  void negativePortIsRefused() {
    struct Case {
      const char* box;
      QString message;
    };
    const QList<Case> cases = {{"www_port", "WWW port - range error (0 - 65535)."},
                               {"telnet_port", "Telnet port - range error (0 - 65535)."}};
    for (const Case& c : cases) {
      RecordingMessageBoxes boxes;
      TForm1 form(&boxes);
      Child<QLineEdit>(&form, c.box)->setText("-1");
      Child<QPushButton>(&form, "Button5")->click();
      QCOMPARE(boxes.shown.size(), 1);
      QCOMPARE(boxes.shown[0].style, QString("information"));
      QCOMPARE(boxes.shown[0].caption, QString("Information"));
      QCOMPARE(boxes.shown[0].text, c.message);
    }
  }

  void writeStoresTheTokenAndReadShowsTheBoxes() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    Child<QLineEdit>(&form, "www_password")->clear();
    Child<QLineEdit>(&form, "www_port")->setText("8080");
    Child<QPushButton>(&form, "Button5")->click();
    QVERIFY(boxes.shown.isEmpty());
    const auto& bytes = form.WriteImage().bytes;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&bytes[1198])), QByteArray("YWRtaW46"));
    QCOMPARE(int(bytes[1238]), 0x90);
    QCOMPARE(int(bytes[1239]), 0x1F);

    vardex::ConfigImage image = form.WriteImage();
    image.bytes[1266] = 0xFF;
    image.bytes[1267] = 0xFF;
    image.bytes[1240] = 'r';
    image.bytes[1241] = 0;
    form.ShowConfigImage(image);
    QCOMPARE(Child<QLineEdit>(&form, "www_password")->text(), QString(""));
    QCOMPARE(Child<QLineEdit>(&form, "www_port")->text(), QString("8080"));
    QCOMPARE(Child<QLineEdit>(&form, "telnet_user")->text(), QString("r"));
    QCOMPARE(Child<QLineEdit>(&form, "telnet_port")->text(), QString("65535"));
  }
};

QTEST_MAIN(AccessPagesTest)
#include "access_pages_test.moc"
