#include <QApplication>
#include <cstdio>
#include <cstring>
#include <exception>

#include "Unit1.h"
#include "Unit2.h"
#include "app_platform.h"
#include "application_icon.h"
#include "vardex_version.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it needs no display.
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("vardex-configurator (VARDEX Configurator) %s\n", vardex::kVersion);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("VARDEX Configurator");
  // The recent files are kept per user under this name.
  QApplication::setOrganizationName("vardex");
  QApplication::setDesktopFileName(QString::fromLatin1(vardex::kDesktopId));
  QApplication::setWindowIcon(vardex::ApplicationIcon());
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
