#include "page_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* MakeEdit(QWidget* parent, const QString& name, int maxLength, const QString& hint) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  edit->setToolTip(hint);
  return edit;
}

QComboBox* MakeList(QWidget* parent, const QString& name, const QStringList& items,
                    const QString& hint) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->addItems(items);
  list->setToolTip(hint);
  return list;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption,
                     const QString& hint) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(name);
  check->setToolTip(hint);
  return check;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  if (buddy != nullptr) {
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
  }
  return label;
}
