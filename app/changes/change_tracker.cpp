#include "change_tracker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "config_document.h"
#include "document_binding.h"
#include "page_controls.h"

namespace vardex {
namespace {

// The PC's own values: the clock set values follow the PC, the option of
// sending them is its choice; neither is kept in the image as shown.
bool IsPcOwnValue(const ControlRow& row) {
  return row.field->kind == FieldKind::kClockWord || row.field->kind == FieldKind::kNotStored;
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
  connect(&document_, &ConfigDocument::EditsChanged, this, &ChangeTracker::CountChanged);
}

int ChangeTracker::Count() const {
  return document_.EditCount();
}

std::vector<ChangeTracker::Change> ChangeTracker::Changes() const {
  std::vector<Change> changes;
  for (const Tracked& tracked : tracked_) {
    if (document_.IsEdited(*tracked.row->field))
      changes.push_back({tracked.control, tracked.page, QString::fromStdString(tracked.row->label),
                         BaseText(document_, *tracked.row), ShownText(tracked.control)});
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
