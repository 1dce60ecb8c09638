#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QWidget;

namespace vardex {

class ConfigDocument;
class WindowControls;
struct ControlRow;

// The document's edits as the Changes menu and list show them: each edited
// control with its page, label, base text and shown text, their count, and
// the reverts. The clock's date and time and the PC time option are the
// PC's own and never count. The binding marks the edited controls.
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
  };

  ConfigDocument& document_;
  std::vector<Tracked> tracked_;
};

// What a control shows, as the list of changes words it: the text of an
// edit box or a list, "checked" or "not checked" for a check box.
QString ShownText(const QWidget* control);

}  // namespace vardex
