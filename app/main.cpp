#include <QApplication>
#include <exception>

#include "Unit1.h"
#include "Unit2.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("VARDEX Configurator");
  try {
    TForm1 form1;
    TForm2 form2(&form1);
    form1.SetForm2(&form2);
    form1.show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    // Whatever escapes start-up is shown, then the process ends normally.
    vardex::QtMessageBoxes(nullptr).ShowError(
        vardex::ErrorBoxText(QString::fromLocal8Bit(error.what())));
  }
  return 0;
}
