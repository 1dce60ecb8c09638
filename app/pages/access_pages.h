#pragma once

#include "access_settings.h"

class QWidget;
class SettingsBinder;

// The "WWW access" and "Telnet access" pages: user, password and port each.
void BuildWwwAccessPage(QWidget* page);
void BuildTelnetAccessPage(QWidget* page);
void BindAccess(SettingsBinder& binder, vardex::AccessSettings& settings);
