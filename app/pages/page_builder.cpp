#include "page_builder.h"

#include <QLabel>
#include <QPushButton>

namespace vardex {

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  if (buddy != nullptr) {
    label->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty())
      buddy->setAccessibleName(text);
  }
  return label;
}

}  // namespace vardex
