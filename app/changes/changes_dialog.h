#pragma once

#include <QDialog>

class QTreeWidget;
class QPushButton;

namespace vardex {

class ChangeTracker;

// The list of changes since the values were read, opened, saved or written:
// page, field, the value then and the value now; one field or all of them
// can be put back.
class ChangesDialog final : public QDialog {
  Q_OBJECT

 public:
  ChangesDialog(ChangeTracker& tracker, QWidget* parent = nullptr);

  QTreeWidget* List() const { return list_; }

 private:
  void Fill();

  ChangeTracker& tracker_;
  QTreeWidget* list_;
  QPushButton* revert_;
  QPushButton* revertAll_;
};

}  // namespace vardex
