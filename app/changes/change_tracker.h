#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QWidget;

namespace vardex {

class WindowControls;

// Compares what each control shows with the values last read, opened,
// saved or written (the baseline). A control that differs is marked on its
// page: a tinted background and, for screen readers, its accessible
// description. The clock's date and time and the PC time option are the
// PC's own and never count.
class ChangeTracker final : public QObject {
  Q_OBJECT

 public:
  struct Change {
    QWidget* control;
    QString page;
    QString label;
    QString before;
    QString now;
  };

  ChangeTracker(WindowControls& controls, QObject* parent = nullptr);

  // What the pages show now becomes the baseline; no control is marked.
  void TakeBaseline();
  std::vector<Change> Changes() const;
  int Count() const { return count_; }
  // Puts the baseline value back into `control`, or into every control.
  void Revert(QWidget* control);
  void RevertAll();

 signals:
  void CountChanged(int count);

 private:
  struct Tracked {
    QWidget* control;
    QString page;
    QString label;
    QString baseline;
    bool changed = false;
  };
  void Watch(Tracked& tracked);
  void Compare(Tracked& tracked);

  std::vector<Tracked> tracked_;
  int count_ = 0;
};

// What a control shows, as the list of changes words it: the text of an
// edit box or a list, "checked" or "not checked" for a check box.
QString ShownText(const QWidget* control);

}  // namespace vardex
