// Test aid for the end-to-end test under Wine: shows the main window as the
// program does, prints where each named control and each page tab lies on
// the screen, one "name x y width height" line each, and ends. On the same
// Wine, fonts and screen the program's window lies the same way, so the test
// clicks where this tool says.
#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <cstdio>

#include "Unit1.h"
#include "Unit2.h"
#include "app_platform.h"

namespace {

void Print(const QString& name, const QRect& onScreen) {
  std::printf("%s %d %d %d %d\n", qPrintable(name), onScreen.x(), onScreen.y(), onScreen.width(),
              onScreen.height());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("VARDEX Configurator");
  QApplication::setWindowIcon(vardex::ApplicationIcon());
  TForm1 form1;
  TForm2 form2(&form1);
  form1.SetForm2(&form2);
  form1.show();
  // Long enough for the window to be placed and laid out.
  for (int i = 0; i < 50; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(10);
  }
  Print("TForm1", QRect(form1.mapToGlobal(QPoint(0, 0)), form1.size()));
  for (const QWidget* widget : form1.findChildren<QWidget*>()) {
    if (!widget->objectName().isEmpty() && widget->isVisible())
      Print(widget->objectName(), QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
  }
  const auto* tabs = form1.findChild<QTabWidget*>("PageControl1");
  for (int i = 0; tabs != nullptr && i < tabs->count(); ++i) {
    const QRect tab = tabs->tabBar()->tabRect(i);
    Print(QStringLiteral("tab%1").arg(i + 1),
          QRect(tabs->tabBar()->mapToGlobal(tab.topLeft()), tab.size()));
  }
  std::fflush(stdout);
  return 0;
}
