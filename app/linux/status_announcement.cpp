#include "status_announcement.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace vardex {

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
