#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vardex {

// The three message-box styles of the tool. The window shows every message
// through this interface, so tests can record what would be shown instead of
// blocking on a modal box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Information icon, caption "Information", one OK button. A `detail` is
  // shown below the text (the reason and what to do about it).
  virtual void ShowInformation(const QString& text, const QString& detail = QString()) = 0;
  // Information icon, the caller's caption, one OK button.
  virtual void ShowTitledInformation(const QString& caption, const QString& text) = 0;
  // Error icon, the application title as caption, one OK button. `text` is
  // shown as given; callers pass it through ErrorBoxText.
  virtual void ShowError(const QString& text) = 0;
  // Warning icon, the application title as caption, "Close anyway" and
  // "Keep running" (the default). True when the user chose to close.
  virtual bool AskCloseAnyway(const QString& text) = 0;

  // A question before something that cannot be undone: warning icon, the
  // application title as caption, the buttons in order. Escape and Enter
  // give `defaultButton`. Returns the index of the button chosen.
  struct Question {
    QString text;
    QString detail;
    QStringList buttons;
    int defaultButton = 0;
  };
  virtual int Ask(const Question& question) = 0;
};

// The error box adds "." when the text's last character sorts after ".".
QString ErrorBoxText(const QString& text);

// The text of the error box for a number box that does not convert.
QString NotAnIntegerText(const QString& boxText);

// Modal QMessageBox implementation, parented to `parent`.
class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent) : parent_(parent) {}
  void ShowInformation(const QString& text, const QString& detail) override;
  void ShowTitledInformation(const QString& caption, const QString& text) override;
  void ShowError(const QString& text) override;
  bool AskCloseAnyway(const QString& text) override;
  int Ask(const Question& question) override;

 private:
  QWidget* parent_;
};

}  // namespace vardex
