// The program's icon where Qt has no SVG module (the Windows build): the
// pictures drawn from the same SVG at build time, built into the program.
#include <array>

#include "application_icon.h"

namespace vardex {

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

}  // namespace vardex
