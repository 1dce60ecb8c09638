#pragma once

#include <QLabel>
#include <QList>
#include <QString>
#include <QWidget>
#include <ctime>

#include "local_time.h"

// Finds a control by name or ends the test program: a missing control is a
// failure of every check that follows.
template <typename T>
T* Child(QWidget* root, const QString& name) {
  T* widget = root->findChild<T*>(name);
  if (widget == nullptr)
    qFatal("no control %s", qPrintable(name));
  return widget;
}

// True when `page` shows a label with exactly `text`.
inline bool HasLabel(QWidget* page, const QString& text) {
  for (QLabel* label : page->findChildren<QLabel*>()) {
    if (label->text() == text)
      return true;
  }
  return false;
}

// A local time the test sets; the window reads it like the PC's clock.
class SettableLocalTime final : public vardex::LocalTimeSource {
 public:
  SettableLocalTime(int year, int month, int day, int hour, int minute) {
    Set(year, month, day, hour, minute);
  }
  void Set(int year, int month, int day, int hour, int minute) {
    time_ = {};
    time_.tm_year = year - 1900;
    time_.tm_mon = month - 1;
    time_.tm_mday = day;
    time_.tm_hour = hour;
    time_.tm_min = minute;
  }
  std::tm Now() const override { return time_; }

 private:
  std::tm time_{};
};
