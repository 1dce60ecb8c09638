#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Answers the window's real message boxes as a user would: whenever a
// QMessageBox is the active modal window, presses the button expected next.
// A box without that button is closed with its escape button and counted as
// a failure, so an unexpected question never blocks the run.
class BoxAnswerer {
 public:
  BoxAnswerer();
  void Expect(const QString& button) { expected_ = button; }
  // Each box answered, as "text" -> "button".
  const QStringList& Answered() const { return answered_; }
  const QString& Failure() const { return failure_; }

 private:
  void Look();

  QTimer timer_;
  QString expected_;
  QStringList answered_;
  QString failure_;
};
