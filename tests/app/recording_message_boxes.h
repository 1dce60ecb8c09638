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
  };
  QList<Shown> shown;

  void ShowInformation(const QString& text) override {
    shown.append({"information", "Information", text});
  }
  void ShowTitledInformation(const QString& caption, const QString& text) override {
    shown.append({"titled", caption, text});
  }
  void ShowError(const QString& text) override {
    shown.append({"error", "VARDEX Configurator", text});
  }
};
