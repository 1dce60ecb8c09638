#pragma once

#include <QObject>

namespace vardex {

class ConfigDocument;
class WindowControls;
struct ImageField;

// Binds the pages' controls to the document: what the user types or picks
// goes into the document at once, and what the document changes itself (a
// read, an Open, a revert, a default, the clock) is shown on the controls.
class DocumentBinding final : public QObject {
  Q_OBJECT

 public:
  DocumentBinding(const WindowControls& controls, ConfigDocument& document,
                  QObject* parent = nullptr);

 private:
  void ShowAll();
  void ShowOne(const ImageField* field);

  const WindowControls& controls_;
  ConfigDocument& document_;
  bool showing_ = false;  // the controls follow the document: nothing to take back
};

}  // namespace vardex
