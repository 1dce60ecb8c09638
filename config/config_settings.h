#pragma once

#include "access_settings.h"
#include "aprs_is_settings.h"
#include "beacon_settings.h"
#include "clock_settings.h"
#include "digipeater_settings.h"
#include "network_settings.h"
#include "radio_settings.h"
#include "report_block.h"
#include "telemetry_settings.h"
#include "weather_settings.h"

namespace vardex {

// Every setting of the ten pages, as plain values. A default-constructed
// instance is the window's start-up state.
struct ConfigSettings {
  RadioSettings radio;
  DigipeaterSettings digipeater;
  BeaconSettings beacons;
  NetworkSettings network;
  AprsIsSettings aprsIs;
  WeatherSettings weather;
  ClockSettings clock;
  AccessSettings access;
  TelemetrySettings telemetry;
  ReportBlockSettings telemetryData = DefaultReportBlock(ReportBlockInstance::kTelemetryData);
  ReportBlockSettings telemetryParameters =
      DefaultReportBlock(ReportBlockInstance::kTelemetryParameters);
};

}  // namespace vardex
