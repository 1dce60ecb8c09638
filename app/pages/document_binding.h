#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QWidget;

namespace vardex {

class ConfigDocument;
class WindowControls;
struct ControlRow;
struct ImageField;

// Binds the pages' controls to the document: what the user types or picks
// goes into the document at once, and what the document changes itself (a
// read, an Open, a revert, a default, the clock) is shown on the controls.
// A control whose field the document counts as edited is marked: a tinted
// background and, for screen readers, its accessible description.
class DocumentBinding final : public QObject {
  Q_OBJECT

 public:
  DocumentBinding(const WindowControls& controls, ConfigDocument& document,
                  QObject* parent = nullptr);

 private:
  struct Bound {
    QWidget* control = nullptr;
    const ControlRow* row = nullptr;
    bool marked = false;
  };
  void ShowAll();
  void ShowOne(const ImageField* field);
  void MarkEdits();

  const WindowControls& controls_;
  ConfigDocument& document_;
  std::vector<Bound> bound_;  // every control that carries a setting
  bool showing_ = false;      // the controls follow the document: nothing to take back
};

// The field's value in the document's base, as the control of `row` shows
// it: the text of an edit box or a list, "checked" or "not checked".
QString BaseText(const ConfigDocument& document, const ControlRow& row);

}  // namespace vardex
