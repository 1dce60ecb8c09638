#pragma once

#include "digipeater_settings.h"

class QWidget;
class SettingsBinder;

// The "Digipeater" page: the master switch, the duplicate checking time and
// eight New-N path rows.
void BuildDigipeaterPage(QWidget* page);
void BindDigipeater(SettingsBinder& binder, vardex::DigipeaterSettings& settings);
