#pragma once

#include "radio_settings.h"

class QWidget;
class SettingsBinder;

// The "Radio" page: station identity, position and channel access.
void BuildRadioPage(QWidget* page);
void BindRadio(SettingsBinder& binder, vardex::RadioSettings& settings);
