#pragma once

#include "beacon_settings.h"

class QWidget;
class SettingsBinder;

// The "Beacons" page: eight rows of a report block and a message, and the
// "Special strings" button (`Button11`) above the message column. The window
// connects the button to its handler.
void BuildBeaconsPage(QWidget* page);
void BindBeacons(SettingsBinder& binder, vardex::BeaconSettings& settings);
