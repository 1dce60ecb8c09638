#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config_settings.h"
#include "local_time.h"
#include "station_finding.h"

namespace vardex {

// The thresholds of common APRS practice that the check applies. Where
// regions differ, the guide says so; these are the least strict values.
inline constexpr int kMostHopsOfFixedStation = 2;        // WIDE2-2
inline constexpr int kFewestMinutesPositionOnRf = 10;    // 30 is what most groups ask
inline constexpr int kFewestMinutesWeatherOnRf = 10;     // 5 only when the weather changes
inline constexpr int kFewestMinutesTelemetryOnRf = 10;   // the local refresh time
inline constexpr int kFewestMinutesParametersOnRf = 30;  // names and units do not change
inline constexpr int kMostHopsDigipeated = 3;            // 2 in busy regions

// The findings for `settings`, in the order of the pages. The beacons are
// read as sent at `clock`'s time; its distance from UTC decides whether a
// "<date>z" time stamp is true (the default is a PC on UTC).
std::vector<StationFinding> CheckStation(const ConfigSettings& settings, const PcClock& clock = {});

// What the check looks at in a field, one line for the field reference; ""
// for a field it never looks at. `key` as the field table names it.
std::string StationCheckTopic(std::string_view key);

}  // namespace vardex
