#include "box_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

BoxAnswerer::BoxAnswerer() {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
  timer_.start();
}

void BoxAnswerer::Look() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr)
    return;
  for (QAbstractButton* button : box->buttons()) {
    if (button->text().remove(QLatin1Char('&')) != expected_)
      continue;
    answered_ << QStringLiteral("\"%1\" -> \"%2\"").arg(box->text(), expected_);
    expected_.clear();
    button->click();
    return;
  }
  failure_ = QStringLiteral("unexpected box \"%1\" (expected a \"%2\" button)")
                 .arg(box->text(), expected_);
  if (box->escapeButton() != nullptr)
    box->escapeButton()->click();
  else
    box->reject();
}
