#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "help_menu.h"
#include "problem_report_action.h"

namespace vardex {

// Help > "Save a problem report..." as the window wires it: where it sits,
// what it gathers and what it says.
class ProblemReportActionTest : public QObject {
  Q_OBJECT

 private slots:
  void savesTheLogAndTheMaskedPagesAndSaysWhere() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.zip"));
    QMenuBar bar;
    AddHelpMenu(&bar, {});
    ConfigSettings settings;
    settings.aprsIs.password = "31337";
    settings.access.telnet.password = "Tn9secret";
    QString told;
    bool toldFailed = true;
    AddProblemReportAction(
        &bar,
        {[] { return QStringLiteral("Eeprom read request, page [0].\nEeprom page received."); },
         [settings] { return settings; }, [] { return QStringLiteral("the start-up values"); }},
        [&](const QString& text, bool failed) {
          told = text;
          toldFailed = failed;
        },
        [&path](QWidget*) { return path; });

    const QList<QAction*> entries = bar.findChild<QMenu*>("HelpMenu")->actions();
    QCOMPARE(entries.size(), 5);
    QCOMPARE(entries[2]->text(), QStringLiteral("Save a &problem report..."));
    QCOMPARE(entries[4]->text(), QStringLiteral("&About VARDEX Configurator"));
    entries[2]->trigger();

    QVERIFY(!toldFailed);
    QVERIFY2(told.startsWith(QStringLiteral("Problem report saved to ")), qPrintable(told));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray zip = file.readAll();
    QVERIFY(zip.startsWith("PK\x03\x04"));
    QVERIFY(zip.contains("Eeprom read request, page [0].\nEeprom page received.\n"));
    QVERIFY(zip.contains("the values the window shows: the start-up values"));
    QVERIFY(zip.contains("\nQt: "));
    QVERIFY(zip.contains("configuration.img"));
    QVERIFY(zip.contains("Telnet password = ********\n"));
    QVERIFY(!zip.contains("31337"));
    QVERIFY(!zip.contains("Tn9secret"));
  }
};

}  // namespace vardex

QTEST_MAIN(vardex::ProblemReportActionTest)
#include "problem_report_action_test.moc"
