#pragma once

#include <string>
#include <vector>

#include "config_settings.h"
#include "local_time.h"
#include "station_finding.h"

namespace vardex {

// The station check's findings on beacon `number` (1 to 8) as the network
// reads it, when the beacon is on: a message an APRS reader refuses or reads
// with a warning, and a "<date>z" time stamp taken from a clock that is not
// on UTC.
void CheckBeaconMessage(const ConfigSettings& settings, int number, const PcClock& clock,
                        std::vector<StationFinding>& findings);

// Those findings alone, for showing beside the beacon. When the reader
// refuses the beacon or warns, the first of them restates its problem.
std::vector<StationFinding> BeaconNotes(const ConfigSettings& settings, int number,
                                        const PcClock& clock);

// "UTC+01:00", "UTC-05:30".
std::string UtcOffsetText(int minutesAhead);

}  // namespace vardex
