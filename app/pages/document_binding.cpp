#include "document_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "config_document.h"
#include "page_controls.h"

namespace vardex {

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
  ShowAll();
}

void DocumentBinding::ShowAll() {
  showing_ = true;
  ConfigSettings shown = document_.Settings();
  controls_.Show(shown);
  showing_ = false;
}

void DocumentBinding::ShowOne(const ImageField* field) {
  for (const PageControls& page : controls_.Pages()) {
    const std::vector<ControlRow>& rows = page.Table().controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].field != field || page.At(i) == nullptr)
        continue;
      showing_ = true;
      ShowValue(page.At(i), rows[i], ValueOf(*field, document_.Settings()));
      showing_ = false;
    }
  }
}

}  // namespace vardex
