#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include "Unit1.h"
#include "recording_message_boxes.h"

namespace {

// What a screen reader announces for `widget`.
QString SpokenName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

// The controls a user reaches with the keyboard, in the order Tab visits
// them, from `first` round to `first` again.
QList<QWidget*> TabChain(QWidget* first) {
  QList<QWidget*> chain;
  QWidget* widget = first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus && widget->focusProxy() == nullptr &&
        widget->isEnabled())
      chain.append(widget);
    widget = widget->nextInFocusChain();
  } while (widget != first);
  return chain;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("VARDEX Configurator"); }

  void everyControlHasANameThatIsNotItsValue() {
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QList<QPair<const char*, QString>> panes = {
        {"Memo1", "Log"}, {"ProgressBar1", "Progress"}, {"StatusLine", "Status"}};
    for (const auto& [objectName, spoken] : panes)
      QCOMPARE(SpokenName(form.findChild<QWidget*>(objectName)), spoken);
    auto* tabs = form.findChild<QTabWidget*>("PageControl1");
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      for (QWidget* widget : TabChain(&form)) {
        if (!widget->isVisible())
          continue;
        const QString where =
            QString("%1: %2 (%3)")
                .arg(tabs->tabText(page), widget->objectName(), widget->metaObject()->className());
        const QString name = SpokenName(widget);
        QVERIFY2(!name.isEmpty(), qPrintable(where));
        if (auto* list = qobject_cast<QComboBox*>(widget))
          QVERIFY2(name != list->currentText(), qPrintable(where + " named " + name));
      }
    }
  }

  void tabFollowsTheScreenRowByRow() {
    struct Case {
      int page;
      QStringList order;  // a run of stops, one after the other
    };
    const QList<Case> cases = {
        {0,
         {"ComboBox2", "Button1", "Button4", "Button5", "Button3", "Button2", "qt_tabwidget_tabbar",
          "Edit1", "Edit44", "Edit4", "Edit2", "Edit5", "Edit3", "ComboBox19", "ComboBox20",
          "ShowOnMap", "Memo1"}},
        {2,
         {"Button11", "Beacon1_dest", "Beacon1_Path", "Beacon1_smalln", "Beacon1_bign",
          "Beacon1_txrate_rf", "Beacon1_txrate_aprsis", "Beacon1_torf", "Beacon1_toaprsis",
          "Beacon1_msg", "Beacon2_dest"}},
        {3, {"Edit9", "Edit10", "Edit11", "Edit12", "Edit13", "Edit15", "Edit17", "Edit19"}},
        {9,
         {"ComboBox21", "Edit61", "Edit62", "Edit63", "Edit64", "Edit65", "ComboBox29", "Button6",
          "ComboBox22"}},
        {9,
         {"Teleparams_txrate_aprsis", "Teleparams_torf", "Teleparams_toaprsis", "Teledata_dest"}},
    };
    RecordingMessageBoxes boxes;
    TForm1 form(&boxes);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* tabs = form.findChild<QTabWidget*>("PageControl1");
    for (const Case& c : cases) {
      tabs->setCurrentIndex(c.page);
      QStringList chain;
      for (QWidget* widget : TabChain(&form)) {
        if (widget->isVisible())
          chain << widget->objectName();
      }
      const qsizetype start = chain.indexOf(c.order.first());
      QVERIFY2(start >= 0, qPrintable(c.order.first()));
      QCOMPARE(chain.mid(start, c.order.size()), c.order);
    }
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
