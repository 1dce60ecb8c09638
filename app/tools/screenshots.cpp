// Development aid: writes one PNG per tab page of the main window, and one of
// the help window, so the layout can be looked at without a desktop.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "Unit1.h"
#include "Unit2.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("VARDEX Configurator");
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(dir);
  TForm1 form1;
  TForm2 form2(&form1);
  form1.show();
  auto* tabs = form1.findChild<QTabWidget*>("PageControl1");
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    QApplication::processEvents();
    form1.grab().save(QStringLiteral("%1/page-%2.png").arg(dir).arg(i + 1));
  }
  form2.show();
  QApplication::processEvents();
  form2.grab().save(dir + "/form2.png");
  return 0;
}
