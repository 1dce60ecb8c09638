#include "failure_focus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>

namespace vardex {

void ShowFailedControl(QTabWidget* tabs, QWidget* control) {
  if (control == nullptr)
    return;
  for (int i = 0; i < tabs->count(); ++i) {
    QWidget* sheet = tabs->widget(i);
    if (!sheet->isAncestorOf(control))
      continue;
    tabs->setCurrentIndex(i);
    if (auto* area = qobject_cast<QScrollArea*>(sheet))
      area->ensureWidgetVisible(control);
    break;
  }
  control->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->selectAll();
  } else if (auto* list = qobject_cast<QComboBox*>(control); list && list->lineEdit()) {
    list->lineEdit()->selectAll();
  }
}

}  // namespace vardex
