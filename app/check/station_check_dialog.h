#pragma once

#include <QDialog>
#include <vector>

#include "station_check.h"

class QListWidget;
class QPushButton;

namespace vardex {

// The station check's findings, one entry each: where the field is, what
// it does on the air, what to do and the source. "Go to field" (or a double
// click, or Enter) closes the list and leaves the chosen finding in
// Chosen() for the window to bring its control in front.
class StationCheckDialog final : public QDialog {
  Q_OBJECT

 public:
  StationCheckDialog(std::vector<StationFinding> findings, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  QPushButton* GoButton() const { return go_; }
  // The finding to go to after "Go to field"; null otherwise.
  const StationFinding* Chosen() const { return chosen_; }

 private:
  void GoToChosen();

  std::vector<StationFinding> findings_;
  QListWidget* list_;
  QPushButton* go_;
  const StationFinding* chosen_ = nullptr;
};

}  // namespace vardex
