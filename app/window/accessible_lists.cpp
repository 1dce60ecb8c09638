#include "accessible_lists.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace vardex {
namespace {

class NamedList final : public QAccessibleWidget {
 public:
  explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    const auto* list = static_cast<const QComboBox*>(widget());
    switch (kind) {
      case QAccessible::Name:
        // A list nobody has named can only be told by its text.
        return list->accessibleName().isEmpty() ? list->currentText() : list->accessibleName();
      case QAccessible::Value:
        return list->currentText();
      default:
        return QAccessibleWidget::text(kind);
    }
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == showMenuAction()) {
      static_cast<QComboBox*>(widget())->showPopup();
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* ListFactory(const QString& className, QObject* object) {
  // Asked once per list, often before its label has named it.
  auto* list = qobject_cast<QComboBox*>(object);
  if (className != QLatin1String("QComboBox") || list == nullptr)
    return nullptr;
  return new NamedList(list);
}

}  // namespace

void InstallListNames() {
  static const bool installed = [] {
    QAccessible::installFactory(ListFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace vardex
