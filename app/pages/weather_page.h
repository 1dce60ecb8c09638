#pragma once

#include "weather_settings.h"

class QWidget;
class SettingsBinder;

// The "Weather" page: the station type and the weather report's row with its
// comment.
void BuildWeatherPage(QWidget* page);
void BindWeather(SettingsBinder& binder, vardex::WeatherSettings& settings);
