#pragma once

#include <QString>
#include <QStringList>

#include "message_boxes.h"

// Records what the window would show instead of opening modal boxes.
struct RecordingMessageBoxes : vardex::MessageBoxes {
  struct Shown {
    QString style;  // "information", "titled" or "error"
    QString caption;
    QString text;
    QString detail;
  };
  QList<Shown> shown;
  bool closeAnyway = false;  // the answer to a close question
  // Questions asked (kept apart from the boxes shown) and the answers
  // given: the next of `answers`, else the first button.
  QList<Question> asked;
  QList<int> answers;

  void ShowInformation(const QString& text, const QString& detail) override {
    shown.append({"information", "Information", text, detail});
  }
  void ShowTitledInformation(const QString& caption, const QString& text) override {
    shown.append({"titled", caption, text, {}});
  }
  void ShowError(const QString& text) override {
    shown.append({"error", "VARDEX Configurator", text, {}});
  }
  bool AskCloseAnyway(const QString& text) override {
    shown.append({"question", "VARDEX Configurator", text, {}});
    return closeAnyway;
  }
  int Ask(const Question& question) override {
    asked.append(question);
    return answers.isEmpty() ? 0 : answers.takeFirst();
  }
};
