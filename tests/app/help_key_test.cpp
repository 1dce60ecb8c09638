#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "Unit1.h"
#include "help_key.h"
#include "recording_message_boxes.h"

namespace vardex {
namespace {

void Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

// Stands in for the browser: records the file URLs it is asked to open.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.append(url); }
};

class HelpKeyTest : public QObject {
  Q_OBJECT

 private slots:
  // Installed beside /usr/bin, built beside build/app; the installed copy
  // wins when both are there.
  void FindsTheGuide_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    const QString installed = "share/doc/vardex-configurator/guide.html";
    QTest::newRow("installed") << QStringList{installed} << installed;
    QTest::newRow("build tree") << QStringList{"docs/guide.html"} << "docs/guide.html";
    QTest::newRow("both") << QStringList{"docs/guide.html", installed} << installed;
    // The Windows setup puts the guide in doc beside the program.
    QTest::newRow("beside the program")
        << QStringList{"bin/doc/guide.html", "docs/guide.html"} << "bin/doc/guide.html";
    QTest::newRow("neither") << QStringList{"share/doc/other/guide.html"} << QString();
  }

  void FindsTheGuide() {
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QDir(root.path()).mkpath("bin");
    for (const QString& file : files) Touch(root.filePath(file));
    const QString found = GuideHtmlPath(root.filePath("bin"));
    QCOMPARE(found, expected.isEmpty() ? QString()
                                       : QFileInfo(root.filePath(expected)).canonicalFilePath());
  }

  // F1 in the window, with the focus in a box inside it, opens the guide.
  void F1OpensTheGuideFromAnywhereInTheWindow() {
    QTemporaryDir root;
    Touch(root.filePath("docs/guide.html"));
    QDir(root.path()).mkpath("app");
    UrlRecorder browser;
    QDesktopServices::setUrlHandler("file", &browser, "Open");
    QWidget window;
    auto* box = new QLineEdit(&window);
    InstallHelpKey(&window, root.filePath("app"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F1);
    QDesktopServices::unsetUrlHandler("file");
    const QString guide = QFileInfo(root.filePath("docs/guide.html")).canonicalFilePath();
    QCOMPARE(browser.opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
  }

  // Beside this test program there is no guide: F1 says so on the status
  // line instead of doing nothing.
  void F1WithoutAGuideSaysSoOnTheStatusLine() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    QCOMPARE(form.findChild<QLabel*>("StatusLine")->text(),
             QString("F1: the user guide (guide.html) is not installed beside this program, so it "
                     "cannot be shown."));
    QVERIFY(boxes.shown.isEmpty());
  }

  // The main window has exactly one F1 key, and it shows no box of its own.
  void TheMainWindowHasTheKey() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    int keys = 0;
    for (const QShortcut* key : form.findChildren<QShortcut*>())
      keys += key->key() == QKeySequence(Qt::Key_F1) ? 1 : 0;
    QCOMPARE(keys, 1);
    QVERIFY(boxes.shown.isEmpty());
  }
};

}  // namespace
}  // namespace vardex

QTEST_MAIN(vardex::HelpKeyTest)
#include "help_key_test.moc"
