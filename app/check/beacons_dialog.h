#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "beacon_packet.h"
#include "config_settings.h"

class QComboBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;

namespace vardex {

class ConfigDocument;

// "Beacons on the air": each beacon that is on as the device sends it now
// (the time in UTC, the Radio page's position) and what the APRS network
// reads in it, following the pages as they are edited; and a chooser that
// puts a symbol's two characters into the chosen beacon's message.
class BeaconsDialog final : public QDialog {
  Q_OBJECT

 public:
  using SettingsSource = std::function<ConfigSettings()>;
  // Sets beacon `number`'s message, as typing into its box would.
  using MessagePut = std::function<void(int number, const std::string& message)>;

  BeaconsDialog(SettingsSource settings, MessagePut put, QWidget* parent = nullptr);

  // The values changed: show them again once the burst settles.
  void Later();
  // Shows the beacons now.
  void Refresh();

  QListWidget* List() const { return list_; }
  QComboBox* Symbols() const { return symbols_; }
  QPushButton* PutButton() const { return put_; }
  QLabel* PutNote() const { return putNote_; }

 private:
  void ChosenChanged();
  void PutChosenSymbol();
  // The beacon the list's current row shows; null when none is.
  const BeaconOnAir* ChosenBeacon() const;

  SettingsSource settings_;
  MessagePut putMessage_;
  std::vector<BeaconOnAir> beacons_;
  QListWidget* list_;
  QComboBox* symbols_;
  QPushButton* put_;
  QLabel* putNote_;
  int chosenNumber_ = 0;  // the beacon the chooser was last set from
  QTimer settle_;
  QTimer minute_;  // "<date>" moves on
};

// "Beacons on the air..." in the Tools menu, opening the dialog on
// `document`'s values; it follows them while it is open.
void AddBeaconsOnAir(QMenuBar* menuBar, ConfigDocument* document, QWidget* window);

}  // namespace vardex
