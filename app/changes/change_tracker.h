#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QWidget;

namespace vardex {

class ConfigDocument;
class WindowControls;
struct ControlRow;

// Shows the document's edits on the pages: a control whose field differs
// from the values last read, opened, saved or written (the base) is marked:
// a tinted background and, for screen readers, its accessible description.
// The clock's date and time and the PC time option are the PC's own and
// never count.
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

  ChangeTracker(const WindowControls& controls, ConfigDocument& document,
                QObject* parent = nullptr);

  std::vector<Change> Changes() const;
  int Count() const;
  // Puts the base value back into `control`, or into every control.
  void Revert(QWidget* control);
  void RevertAll();

 signals:
  void CountChanged(int count);

 private:
  struct Tracked {
    QWidget* control;
    const ControlRow* row;
    QString page;
    bool marked = false;
  };
  void MarkEdits();
  QString Before(const Tracked& tracked) const;

  ConfigDocument& document_;
  std::vector<Tracked> tracked_;
};

// What a control shows, as the list of changes words it: the text of an
// edit box or a list, "checked" or "not checked" for a check box.
QString ShownText(const QWidget* control);

}  // namespace vardex
