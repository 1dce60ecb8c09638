#pragma once

#include <QDialog>

// The "Beacon special strings" help window: five lines of fixed text that
// explain what a beacon message may contain. Created hidden at start and
// shown modally from the Beacons page.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};
