#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "step_result.h"

namespace vardex {

QString ErrorBoxText(const QString& text) {
  if (!text.isEmpty() && text.back() > QChar('.'))
    return text + QLatin1Char('.');
  return text;
}

QString NotAnIntegerText(const QString& boxText) {
  return QString::fromStdString(FailureText(StepResult::NotAnInteger(boxText.toStdString())));
}

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void QtMessageBoxes::ShowInformation(const QString& text) {
  ShowBox(parent_, QMessageBox::Information, QStringLiteral("Information"), text);
}

void QtMessageBoxes::ShowTitledInformation(const QString& caption, const QString& text) {
  ShowBox(parent_, QMessageBox::Information, caption, text);
}

void QtMessageBoxes::ShowError(const QString& text) {
  ShowBox(parent_, QMessageBox::Critical, QApplication::applicationName(), text);
}

}  // namespace vardex
