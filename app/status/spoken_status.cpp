#include "spoken_status.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "app_platform.h"

namespace vardex {
namespace {

constexpr char kSpokenProperty[] = "vardexSpokenStatus";

class StatusBarAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit StatusBarAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Description)
      return Shown();
    return QAccessibleWidget::text(kind);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface)
      return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // Read-only text without a caret or selection.
  QString text(int start, int end) const override { return Shown().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Shown().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  QString Shown() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* StatusFactory(const QString&, QObject* object) {
  auto* label = qobject_cast<QLabel*>(object);
  if (label == nullptr || !label->property(kSpokenProperty).toBool())
    return nullptr;
  return new StatusBarAccessible(label);
}

}  // namespace

SpokenStatus::SpokenStatus(NowFunction now) : now_(std::move(now)) {
  due_.setSingleShot(true);
  connect(&due_, &QTimer::timeout, this, &SpokenStatus::Announce);
}

void SpokenStatus::Attach(QLabel* label) {
  static const bool installed = [] {
    QAccessible::installFactory(StatusFactory);
    return true;
  }();
  (void)installed;
  label_ = label;
  label->setProperty(kSpokenProperty, true);
  // Qt made the label's interface when it was built; the next query makes
  // it again through the factory.
  QAccessibleInterface* built = QAccessible::queryAccessibleInterface(label);
  if (built != nullptr && dynamic_cast<StatusBarAccessible*>(built) == nullptr)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(built));
  announced_ = label->text();
}

void SpokenStatus::Changed(QLabel* label, LinkStatus::Kind kind) {
  if (label_ != label)
    Attach(label);
  kind_ = kind;
  if (label->text() == announced_) {
    due_.stop();
    return;
  }
  const auto now = now_();
  const auto due = pace_.Due(kind, now);
  if (due <= now) {
    due_.stop();
    Announce();
  } else if (!due_.isActive()) {
    due_.start(std::chrono::ceil<std::chrono::milliseconds>(due - now));
  }
}

void SpokenStatus::Announce() {
  if (label_ == nullptr || label_->text() == announced_)
    return;
  const QString text = label_->text();
  pace_.Announced(kind_, now_());
  QAccessibleEvent description(label_, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&description);
  QAccessibleTextUpdateEvent update(label_, 0, announced_, text);
  QAccessible::updateAccessibility(&update);
  announced_ = text;
  if (QAccessible::isActive())
    AnnounceOnBus(QAccessible::queryAccessibleInterface(label_), text);
}

}  // namespace vardex
