#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

// Without a window manager nothing makes the window active again when its
// box closes: keys would reach its focused field while screen readers are
// told no field has the focus.
void ReturnToParent(QWidget* parent) {
  if (parent != nullptr && parent->isVisible())
    parent->window()->activateWindow();
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
             const QString& detail = QString()) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  if (!detail.isEmpty())
    box.setInformativeText(detail);
  box.exec();
  ReturnToParent(parent);
}

}  // namespace

void QtMessageBoxes::ShowInformation(const QString& text, const QString& detail) {
  ShowBox(parent_, QMessageBox::Information, QStringLiteral("Information"), text, detail);
}

void QtMessageBoxes::ShowTitledInformation(const QString& caption, const QString& text) {
  ShowBox(parent_, QMessageBox::Information, caption, text);
}

void QtMessageBoxes::ShowError(const QString& text) {
  ShowBox(parent_, QMessageBox::Critical, QApplication::applicationName(), text);
}

bool QtMessageBoxes::AskCloseAnyway(const QString& text) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text,
                  QMessageBox::NoButton, parent_);
  QPushButton* close = box.addButton(QStringLiteral("Close anyway"), QMessageBox::DestructiveRole);
  QPushButton* keep = box.addButton(QStringLiteral("Keep running"), QMessageBox::RejectRole);
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  ReturnToParent(parent_);
  return box.clickedButton() == close;
}

int QtMessageBoxes::Ask(const Question& question) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question.text,
                  QMessageBox::NoButton, parent_);
  if (!question.detail.isEmpty())
    box.setInformativeText(question.detail);
  QList<QPushButton*> buttons;
  for (const QString& caption : question.buttons)
    buttons.append(box.addButton(caption, QMessageBox::ActionRole));
  QPushButton* fallback = buttons.value(question.defaultButton);
  box.setDefaultButton(fallback);
  box.setEscapeButton(fallback);
  box.exec();
  ReturnToParent(parent_);
  const auto chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
  return chosen < 0 ? question.defaultButton : chosen;
}

}  // namespace vardex
