#include "app_platform.h"

#include <array>

namespace vardex {

// The program's icon where Qt has no SVG module: the pictures drawn from the
// same SVG at build time, built into the program.
QIcon ApplicationIcon() {
  constexpr std::array kSizes{16, 22, 24, 32, 48, 64, 128, 256};
  QIcon icon;
  for (const int size : kSizes) {
    const QPixmap pixmap(QStringLiteral(":/vardex/icons/%1.png").arg(size));
    if (pixmap.isNull())
      return {};
    icon.addPixmap(pixmap);
  }
  return icon;
}

// The files library and the firmware load take UTF-8 names on Windows and
// open them with the wide calls.
std::string FileNameBytes(const QString& path) {
  return path.toStdString();
}

// No AT-SPI bus here: the status bar's accessibility events are all.
void AnnounceOnBus(QAccessibleInterface*, const QString&) {}

}  // namespace vardex
