#include "log_pane.h"

#include <QScrollBar>

namespace vardex {

LogPane::LogPane(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("Memo1");
  setReadOnly(true);
  setMaximumBlockCount(20000);  // the oldest lines go first; a largest upload logs 3713
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFixedHeight(73);
  setAccessibleName("Log");
}

void LogPane::Append(const QString& line) {
  appendPlainText(line);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace vardex
