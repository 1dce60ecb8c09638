#include "app_platform.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
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

// Names on Linux are bytes in the locale's encoding, as Qt spells them.
std::string FileNameBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// The AT-SPI "Announcement" event, which Orca 45.2 and later speaks
// whatever has the focus; Qt 6.4 has no event for it, so it goes out on
// the connection of Qt's own bridge, from the status bar's object path.
void AnnounceOnBus(QAccessibleInterface* accessible, const QString& text) {
  QDBusConnection bus(QStringLiteral("a11y"));
  if (!bus.isConnected())
    return;  // no screen reader listens
  QDBusMessage event = QDBusMessage::createSignal(
      QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(accessible)),
      QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("Announcement"));
  constexpr int kPolite = 1;
  event << QString() << kPolite << 0 << QVariant::fromValue(QDBusVariant(text)) << QVariantMap();
  bus.send(event);
}

}  // namespace vardex
