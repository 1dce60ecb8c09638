#pragma once

#include "network_settings.h"

class QWidget;
class SettingsBinder;

// The "Network" page: address, mask, gateway and DNS, four octet boxes each.
void BuildNetworkPage(QWidget* page);
void BindNetwork(SettingsBinder& binder, vardex::NetworkSettings& settings);
