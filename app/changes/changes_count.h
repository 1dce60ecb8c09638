#pragma once

#include <QPushButton>

namespace vardex {

class ChangeTracker;

// "3 fields changed" beside the status line, hidden while nothing is
// changed; pressing it lists the changes.
class ChangesCount final : public QPushButton {
  Q_OBJECT

 public:
  ChangesCount(const ChangeTracker& changes, QWidget* parent = nullptr);

 private:
  void ShowCount(int count);
};

}  // namespace vardex
