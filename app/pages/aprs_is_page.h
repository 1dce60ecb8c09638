#pragma once

#include "aprs_is_settings.h"

class QWidget;
class SettingsBinder;

// The "APRS-IS" page: three servers with their ports, the login and the two
// gateway switches.
void BuildAprsIsPage(QWidget* page);
void BindAprsIs(SettingsBinder& binder, vardex::AprsIsSettings& settings);
