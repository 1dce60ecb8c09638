#include "accessible_tabs.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTabBar>
#include <vector>

namespace vardex {
namespace {

class PageTab final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PageTab(QTabBar* bar, int index) : bar_(bar), index_(index) {}

  bool isValid() const override { return bar_ && index_ < bar_->count(); }
  QObject* object() const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(bar_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state = parent()->state();
    state.selectable = true;
    state.selected = index_ == bar_->currentIndex();
    // The bar's own focus, not its current tab, decides.
    state.focused = state.selected && bar_->hasFocus();
    return state;
  }

  QString text(QAccessible::Text kind) const override {
    if (!isValid())
      return {};
    switch (kind) {
      case QAccessible::Name: {
        const QString name = bar_->accessibleTabName(index_);
        return name.isEmpty() ? bar_->tabText(index_) : name;
      }
      case QAccessible::Description:
        return bar_->tabToolTip(index_);
      default:
        return {};
    }
  }

  QRect rect() const override {
    if (!isValid())
      return {};
    const QRect tab = bar_->tabRect(index_);
    return QRect(bar_->mapToGlobal(tab.topLeft()), tab.size());
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (isValid() && action == pressAction())
      bar_->setCurrentIndex(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  int Index() const { return index_; }

 private:
  QPointer<QTabBar> bar_;
  int index_;
};

class PageTabList final : public QAccessibleWidget {
 public:
  explicit PageTabList(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
  ~PageTabList() override {
    for (QAccessible::Id id : tabs_) {
      if (id != 0)
        QAccessible::deleteAccessibleInterface(id);
    }
  }

  int childCount() const override { return Bar()->count(); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= Bar()->count())
      return nullptr;
    if (static_cast<std::size_t>(index) >= tabs_.size())
      tabs_.resize(static_cast<std::size_t>(index) + 1, 0);
    QAccessible::Id& id = tabs_[static_cast<std::size_t>(index)];
    if (id == 0)
      id = QAccessible::registerAccessibleInterface(new PageTab(Bar(), index));
    return QAccessible::accessibleInterface(id);
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* tab = dynamic_cast<const PageTab*>(child);
    return tab != nullptr && tab->parent() == this ? tab->Index() : -1;
  }

  QAccessibleInterface* focusChild() const override {
    return Bar()->hasFocus() ? child(Bar()->currentIndex()) : nullptr;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && Bar()->currentIndex() >= 0)
      return child(Bar()->currentIndex())->text(kind);
    return QAccessibleWidget::text(kind);
  }

 private:
  QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }

  mutable std::vector<QAccessible::Id> tabs_;
};

QAccessibleInterface* TabBarFactory(const QString& className, QObject* object) {
  auto* bar = qobject_cast<QTabBar*>(object);
  if (className != QLatin1String("QTabBar") || bar == nullptr)
    return nullptr;
  return new PageTabList(bar);
}

}  // namespace

void InstallPageTabFocus() {
  static const bool installed = [] {
    QAccessible::installFactory(TabBarFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace vardex
