#include "change_tracker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "page_controls.h"

namespace vardex {
namespace {

constexpr const char* kChangedStyle = "background-color: #ffe98a;";

// The PC's own values: the clock set values follow the PC, the option of
// sending them is its choice; neither is kept in the image as shown.
bool IsPcOwnValue(const ControlRow& row) {
  return row.field->kind == FieldKind::kClockWord || row.field->kind == FieldKind::kNotStored;
}

void Mark(QWidget* control, bool changed, const QString& before) {
  const QString type = QString::fromLatin1(control->metaObject()->className());
  control->setStyleSheet(changed ? QStringLiteral("%1 { %2 }").arg(type, kChangedStyle)
                                 : QString());
  control->setAccessibleDescription(changed ? QStringLiteral("Changed, was \"%1\"").arg(before)
                                            : QString());
}

}  // namespace

QString ShownText(const QWidget* control) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(control))
    return edit->text();
  if (const auto* list = qobject_cast<const QComboBox*>(control))
    return list->currentText();
  if (const auto* check = qobject_cast<const QCheckBox*>(control))
    return check->isChecked() ? QStringLiteral("checked") : QStringLiteral("not checked");
  return {};
}

ChangeTracker::ChangeTracker(WindowControls& controls, QObject* parent) : QObject(parent) {
  for (const PageControls& page : controls.Pages()) {
    const PageTable& table = page.Table();
    for (std::size_t row = 0; row < table.controls.size(); ++row) {
      QWidget* control = page.At(row);
      if (control == nullptr || IsPcOwnValue(table.controls[row]))
        continue;
      tracked_.push_back({control,
                          QString::fromUtf8(table.caption.data(), table.caption.size()),
                          QString::fromStdString(table.controls[row].label),
                          {}});
    }
  }
  for (std::size_t i = 0; i < tracked_.size(); ++i) Watch(tracked_[i]);
  TakeBaseline();
}

void ChangeTracker::Watch(Tracked& tracked) {
  const std::size_t index = static_cast<std::size_t>(&tracked - tracked_.data());
  auto compare = [this, index] { Compare(tracked_[index]); };
  if (auto* edit = qobject_cast<QLineEdit*>(tracked.control))
    connect(edit, &QLineEdit::textChanged, this, compare);
  if (auto* list = qobject_cast<QComboBox*>(tracked.control))
    connect(list, &QComboBox::currentTextChanged, this, compare);
  if (auto* check = qobject_cast<QCheckBox*>(tracked.control))
    connect(check, &QCheckBox::toggled, this, compare);
}

void ChangeTracker::Compare(Tracked& tracked) {
  const bool changed = ShownText(tracked.control) != tracked.baseline;
  if (changed == tracked.changed)
    return;
  tracked.changed = changed;
  Mark(tracked.control, changed, tracked.baseline);
  count_ += changed ? 1 : -1;
  emit CountChanged(count_);
}

void ChangeTracker::TakeBaseline() {
  for (Tracked& tracked : tracked_) {
    tracked.baseline = ShownText(tracked.control);
    if (tracked.changed)
      Mark(tracked.control, false, {});
    tracked.changed = false;
  }
  count_ = 0;
  emit CountChanged(0);
}

std::vector<ChangeTracker::Change> ChangeTracker::Changes() const {
  std::vector<Change> changes;
  for (const Tracked& tracked : tracked_) {
    if (tracked.changed)
      changes.push_back({tracked.control, tracked.page, tracked.label, tracked.baseline,
                         ShownText(tracked.control)});
  }
  return changes;
}

void ChangeTracker::Revert(QWidget* control) {
  for (const Tracked& tracked : tracked_) {
    if (tracked.control != control)
      continue;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
      edit->setText(tracked.baseline);
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      const int index = list->findText(tracked.baseline, Qt::MatchExactly);
      list->setCurrentIndex(index);
      if (list->isEditable())
        list->setEditText(tracked.baseline);
    }
    if (auto* check = qobject_cast<QCheckBox*>(control))
      check->setChecked(tracked.baseline == QStringLiteral("checked"));
  }
}

void ChangeTracker::RevertAll() {
  for (const Change& change : Changes()) Revert(change.control);
}

}  // namespace vardex
