#pragma once

#include "telemetry_settings.h"

class QWidget;
class SettingsBinder;

// The "Telemetry module" page: the module switch and the five analog
// channels with their "Default parameters" buttons. The page keeps an empty
// area under the channels for the two telemetry report-block rows.
void BuildTelemetryPage(QWidget* page);
void BindTelemetry(SettingsBinder& binder, vardex::TelemetrySettings& settings);

// The area, under the channels, that holds the telemetry report-block rows.
QWidget* TelemetryReportBlockArea(QWidget* page);

// What "Default parameters" of channel `channelNumber` (1 to 5) does: the
// name, units and coefficients that suit the selected source; nothing when
// no source is selected.
void ApplyChannelDefaultsOnPage(QWidget* root, int channelNumber);
