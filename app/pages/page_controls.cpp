#include "page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>
#include <algorithm>

#include "page_builder.h"

namespace vardex {
namespace {

constexpr const char* kTypingLimit = "typingLimit";

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A decoded text is shown in full even when it is longer than what the user
// may type; the box's typing limit comes back once the user shortens it.
void SetTextUncut(QLineEdit* edit, const QString& text) {
  const QVariant saved = edit->property(kTypingLimit);
  const int typingLimit = saved.isValid() ? saved.toInt() : edit->maxLength();
  if (!saved.isValid()) {
    edit->setProperty(kTypingLimit, typingLimit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& typed) {
      const int limit = edit->property(kTypingLimit).toInt();
      if (edit->maxLength() > limit && typed.size() <= limit)
        edit->setMaxLength(limit);
    });
  }
  edit->setMaxLength(std::max(typingLimit, static_cast<int>(text.size())));
  edit->setText(text);
}

QWidget* Build(QWidget* parent, const ControlRow& row) {
  QWidget* control = nullptr;
  switch (row.kind) {
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(parent);
      edit->setMaxLength(row.maxLength);
      control = edit;
      break;
    }
    case ControlKind::kList:
    case ControlKind::kListText: {
      // Editable: the text part accepts typing.
      auto* list = new QComboBox(parent);
      list->setEditable(true);
      list->setInsertPolicy(QComboBox::NoInsert);
      for (std::string_view item : row.items) list->addItem(FromView(item));
      control = list;
      break;
    }
    case ControlKind::kCheck:
      control = new QCheckBox(FromView(row.caption), parent);
      break;
  }
  control->setObjectName(FromView(row.objectName));
  control->setToolTip(FromView(row.hint));
  control->setAccessibleName(FromView(row.label));
  if (row.width > 0)
    control->setFixedWidth(row.width);
  return control;
}

bool Selected(const ControlRow& row, ConfigSettings& settings, SettingMembers only) {
  if (only.size() == 0)
    return true;
  return std::find(only.begin(), only.end(), row.Setting(settings).Address()) != only.end();
}

// A control of another type than its row says is left alone.
void GatherRow(QWidget* control, const SettingRef& ref) {
  if (ref.text != nullptr) {
    if (auto* list = qobject_cast<QComboBox*>(control))
      *ref.text = list->currentText().toStdString();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
      *ref.text = edit->text().toStdString();
  } else if (ref.index != nullptr) {
    // Typing over a list leaves no item selected unless the text is an item's.
    if (auto* list = qobject_cast<QComboBox*>(control))
      *ref.index = list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
  } else if (ref.check != nullptr) {
    if (auto* check = qobject_cast<QCheckBox*>(control))
      *ref.check = check->isChecked();
  }
}

void ShowRow(QWidget* control, const SettingRef& ref) {
  if (ref.text != nullptr) {
    const QString text = QString::fromStdString(*ref.text);
    if (auto* list = qobject_cast<QComboBox*>(control))
      list->setEditText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
      SetTextUncut(edit, text);
  } else if (ref.index != nullptr) {
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      const int index = *ref.index;
      list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    }
  } else if (ref.check != nullptr) {
    if (auto* check = qobject_cast<QCheckBox*>(control))
      check->setChecked(*ref.check);
  }
}

// The part of a value that `field` uses, as a setting to gather into or
// show from.
SettingRef PartOf(const ImageField& field, FieldValue& value) {
  static const ConfigSettings shape;
  const ImageField::View view = field.Read(shape);
  return {view.text != nullptr ? &value.text : nullptr,
          view.index != nullptr ? &value.index : nullptr,
          view.check != nullptr ? &value.check : nullptr};
}

}  // namespace

FieldValue ValueShownBy(QWidget* control, const ControlRow& row) {
  FieldValue value;
  GatherRow(control, PartOf(*row.field, value));
  return value;
}

void ShowValue(QWidget* control, const ControlRow& row, const FieldValue& value) {
  FieldValue shown = value;
  ShowRow(control, PartOf(*row.field, shown));
}

PageControls::PageControls(QWidget* page, const PageTable& table)
    : page_(page),
      table_(&table),
      built_(table.controls.size(), nullptr),
      builtButtons_(table.buttons.size(), nullptr) {}

QWidget* PageControls::Take(std::string_view key, QWidget* parent) {
  const std::vector<ControlRow>& rows = table_->controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].key != key)
      continue;
    if (built_[i] != nullptr)
      return nullptr;
    built_[i] = Build(parent != nullptr ? parent : page_, rows[i]);
    return built_[i];
  }
  return nullptr;
}

QPushButton* PageControls::TakeButton(PageAction action, int instance, QWidget* parent) {
  const std::vector<ButtonRow>& rows = table_->buttons;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].action != action || rows[i].instance != instance)
      continue;
    if (builtButtons_[i] != nullptr)
      return nullptr;
    QPushButton* button =
        MakeButton(parent != nullptr ? parent : page_, QString::fromStdString(rows[i].objectName),
                   QString::fromStdString(rows[i].caption));
    if (!rows[i].hint.empty())
      button->setToolTip(QString::fromStdString(rows[i].hint));
    if (!rows[i].label.empty())
      button->setAccessibleName(QString::fromStdString(rows[i].label));
    builtButtons_[i] = button;
    return button;
  }
  return nullptr;
}

void WindowControls::Show(ConfigSettings& settings, SettingMembers only) const {
  for (const PageControls& page : pages_) {
    const std::vector<ControlRow>& rows = page.Table().controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      QWidget* control = page.At(i);
      if (control != nullptr && Selected(rows[i], settings, only))
        ShowRow(control, rows[i].Setting(settings));
    }
  }
}

QWidget* WindowControls::ControlOf(ConfigSettings& settings, const void* member) const {
  for (const PageControls& page : pages_) {
    const std::vector<ControlRow>& rows = page.Table().controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (Selected(rows[i], settings, {member}))
        return page.At(i);
    }
  }
  return nullptr;
}

QWidget* WindowControls::ControlOf(const ImageField* field) const {
  for (const PageControls& page : pages_) {
    const std::vector<ControlRow>& rows = page.Table().controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (field != nullptr && rows[i].field == field)
        return page.At(i);
    }
  }
  return nullptr;
}

}  // namespace vardex
