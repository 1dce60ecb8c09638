#include "application_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <array>

namespace vardex {

QIcon ApplicationIcon() {
  QSvgRenderer renderer(QStringLiteral(":/vardex/io.github.vardex.Configurator.svg"));
  if (!renderer.isValid()) {
    return {};
  }
  constexpr std::array kSizes{16, 22, 24, 32, 48, 64, 128, 256};
  QIcon icon;
  for (const int size : kSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace vardex
