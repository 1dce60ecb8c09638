#include "change_tracker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "config_document.h"
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

ChangeTracker::ChangeTracker(const WindowControls& controls, ConfigDocument& document,
                             QObject* parent)
    : QObject(parent), document_(document) {
  for (const PageControls& page : controls.Pages()) {
    const PageTable& table = page.Table();
    for (std::size_t row = 0; row < table.controls.size(); ++row) {
      QWidget* control = page.At(row);
      if (control == nullptr || !table.controls[row].field->HasSetting() ||
          IsPcOwnValue(table.controls[row]))
        continue;
      tracked_.push_back({control, &table.controls[row],
                          QString::fromUtf8(table.caption.data(), table.caption.size())});
    }
  }
  connect(&document_, &ConfigDocument::EditsChanged, this, &ChangeTracker::MarkEdits);
  MarkEdits();
}

int ChangeTracker::Count() const {
  return document_.EditCount();
}

// The base value as its control would show it.
QString ChangeTracker::Before(const Tracked& tracked) const {
  const FieldValue value = document_.BaseValue(*tracked.row->field);
  switch (tracked.row->kind) {
    case ControlKind::kList: {
      const auto& items = tracked.row->items;
      if (value.index < 0 || value.index >= static_cast<int>(items.size()))
        return {};
      const std::string_view item = items[static_cast<std::size_t>(value.index)];
      return QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    }
    case ControlKind::kCheck:
      return value.check ? QStringLiteral("checked") : QStringLiteral("not checked");
    case ControlKind::kEdit:
    case ControlKind::kListText:
      break;
  }
  return QString::fromStdString(value.text);
}

void ChangeTracker::MarkEdits() {
  for (Tracked& tracked : tracked_) {
    const bool edited = document_.IsEdited(*tracked.row->field);
    if (edited == tracked.marked)
      continue;
    tracked.marked = edited;
    Mark(tracked.control, edited, edited ? Before(tracked) : QString());
  }
  emit CountChanged(document_.EditCount());
}

std::vector<ChangeTracker::Change> ChangeTracker::Changes() const {
  std::vector<Change> changes;
  for (const Tracked& tracked : tracked_) {
    if (document_.IsEdited(*tracked.row->field))
      changes.push_back({tracked.control, tracked.page, QString::fromStdString(tracked.row->label),
                         Before(tracked), ShownText(tracked.control)});
  }
  return changes;
}

void ChangeTracker::Revert(QWidget* control) {
  for (const Tracked& tracked : tracked_) {
    if (tracked.control == control)
      document_.Revert(*tracked.row->field);
  }
}

void ChangeTracker::RevertAll() {
  document_.RevertAll();
}

}  // namespace vardex
