#pragma once

#include "clock_settings.h"
#include "local_time.h"

class QWidget;
class SettingsBinder;

// The "RTC/NTP time" page: the clock set values, the PC-time option and the
// NTP server.
void BuildClockPage(QWidget* page);
void BindClock(SettingsBinder& binder, vardex::ClockSettings& settings);

// Puts the local time of `clock` into the five date and time boxes.
void ShowLocalTime(QWidget* root, const vardex::LocalTimeSource& clock);
// The date and time boxes are editable only while the PC time is not uploaded.
void ApplyClockBoxesState(QWidget* root);
// True when "Upload PC system time on config write" is checked.
bool UploadsPcTime(QWidget* root);
