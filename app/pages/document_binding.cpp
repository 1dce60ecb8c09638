#include "document_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "config_document.h"
#include "page_controls.h"

namespace vardex {
namespace {

constexpr const char* kChangedStyle = "background-color: #ffe98a;";

void Mark(QWidget* control, bool changed, const QString& before) {
  const QString type = QString::fromLatin1(control->metaObject()->className());
  control->setStyleSheet(changed ? QStringLiteral("%1 { %2 }").arg(type, kChangedStyle)
                                 : QString());
  control->setAccessibleDescription(changed ? QStringLiteral("Changed, was \"%1\"").arg(before)
                                            : QString());
}

}  // namespace

QString BaseText(const ConfigDocument& document, const ControlRow& row) {
  const FieldValue value = document.BaseValue(*row.field);
  switch (row.kind) {
    case ControlKind::kList: {
      if (value.index < 0 || value.index >= static_cast<int>(row.items.size()))
        return {};
      const std::string_view item = row.items[static_cast<std::size_t>(value.index)];
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

DocumentBinding::DocumentBinding(const WindowControls& controls, ConfigDocument& document,
                                 QObject* parent)
    : QObject(parent), controls_(controls), document_(document) {
  for (const PageControls& page : controls_.Pages()) {
    const std::vector<ControlRow>& rows = page.Table().controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      QWidget* control = page.At(i);
      const ControlRow* row = &rows[i];
      if (control == nullptr || !row->field->HasSetting())
        continue;
      bound_.push_back({control, row});
      auto take = [this, control, row] {
        if (!showing_)
          document_.SetValue(*row->field, ValueShownBy(control, *row));
      };
      if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, take);
      if (auto* list = qobject_cast<QComboBox*>(control))
        connect(list, &QComboBox::currentTextChanged, this, take);
      if (auto* check = qobject_cast<QCheckBox*>(control))
        connect(check, &QCheckBox::toggled, this, take);
    }
  }
  connect(&document_, &ConfigDocument::ValuesReplaced, this, &DocumentBinding::ShowAll);
  connect(&document_, &ConfigDocument::ValueChanged, this, &DocumentBinding::ShowOne);
  connect(&document_, &ConfigDocument::EditsChanged, this, &DocumentBinding::MarkEdits);
  ShowAll();
  MarkEdits();
}

void DocumentBinding::ShowAll() {
  showing_ = true;
  ConfigSettings shown = document_.Settings();
  controls_.Show(shown);
  showing_ = false;
}

void DocumentBinding::ShowOne(const ImageField* field) {
  for (const Bound& bound : bound_) {
    if (bound.row->field != field)
      continue;
    showing_ = true;
    ShowValue(bound.control, *bound.row, ValueOf(*field, document_.Settings()));
    showing_ = false;
  }
}

// A mark says what the base held when the control became edited.
void DocumentBinding::MarkEdits() {
  for (Bound& bound : bound_) {
    const bool edited = document_.IsEdited(*bound.row->field);
    if (edited == bound.marked)
      continue;
    bound.marked = edited;
    Mark(bound.control, edited, edited ? BaseText(document_, *bound.row) : QString());
  }
}

}  // namespace vardex
