#pragma once

#include <QPlainTextEdit>

namespace vardex {

// The log pane: read-only, one line per protocol event, the newest in view.
// The oldest lines go first beyond a largest upload's log.
class LogPane final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit LogPane(QWidget* parent = nullptr);

 public slots:
  void Append(const QString& line);
};

}  // namespace vardex
