#include "com_list.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>

#include "com_port_list.h"

namespace vardex {

namespace {

constexpr int kFixedEntries = 9;  // COM1 to COM9

void Refresh(QComboBox* ports) {
  const QStringList names = ComNamesAboveNine();
  QStringList shown;
  for (int i = kFixedEntries; i < ports->count(); ++i) shown.append(ports->itemText(i));
  if (shown == names)
    return;
  // The text in the box is the user's: it stays, selected or typed.
  const QString text = ports->currentText();
  const int index = ports->currentIndex();
  while (ports->count() > kFixedEntries) ports->removeItem(kFixedEntries);
  ports->addItems(names);
  if (index >= 0 && index < kFixedEntries) {
    ports->setCurrentIndex(index);
  } else if (ports->currentText() != text) {
    ports->setEditText(text);
  }
}

// Adapters come and go, so the names are looked up as the list opens.
class BeforeListOpens final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool opens = event->type() == QEvent::MouseButtonPress ||
                       (event->type() == QEvent::KeyPress &&
                        (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4 ||
                         ((static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier) != 0 &&
                          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down)));
    if (opens)
      Refresh(static_cast<QComboBox*>(watched));
    return false;
  }
};

}  // namespace

void OfferComNamesAboveNine(QComboBox* ports) {
  Refresh(ports);
  ports->installEventFilter(new BeforeListOpens(ports));
}

}  // namespace vardex
