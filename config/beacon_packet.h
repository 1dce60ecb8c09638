#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "aprs_reader.h"
#include "config_settings.h"

namespace vardex {

// One beacon as the device sends it, and what the APRS network makes of it.
struct BeaconOnAir {
  int number = 0;  // 1 to 8, as the page counts
  bool toRf = false;
  bool toAprsIs = false;
  std::string header;       // "SP3XYZ-1>APVDX1,WIDE2-2"
  std::string information;  // the message with its special strings filled in
  AprsReading reading;

  std::string Packet() const { return header + ":" + information; }
};

// "SP3XYZ" for SSID 0, "SP3XYZ-7" otherwise; the callsign without the
// spaces a read image pads it with.
std::string StationAddress(const RadioSettings& radio);

// The Dest list's entry as an address: "APVDX10" (call and SSID digit) is
// sent as "APVDX1", "BEACON0" as "BEACON"; "" when nothing is chosen.
std::string DestinationAddress(int dest);

// "WIDE2-2" from the path name, n and N; "" for an empty name (no path).
std::string ReportPath(const ReportBlockSettings& block);

// The message as the device sends it: "<date>" becomes the day, hour and
// minute of `utc` (DDHHMM), "<lat>" and "<long>" the Radio page's position.
std::string FillSpecialStrings(const std::string& message, const RadioSettings& radio,
                               const std::tm& utc);

// The message with `symbol` put where its position's symbol stands (the
// characters after "<lat>" and after "<long>" in the usual form); empty
// when the message holds no position a reader finds.
std::optional<std::string> PutSymbol(const std::string& message, const RadioSettings& radio,
                                     AprsSymbol symbol);

// Beacon `number` (1 to 8) as sent at `utc`; empty when it is off.
std::optional<BeaconOnAir> BeaconOnAirOf(const ConfigSettings& settings, int number,
                                         const std::tm& utc);

// Every beacon that is on (a message, and RF or APRS-IS chosen), in page
// order, as sent at `utc`.
std::vector<BeaconOnAir> BeaconsOnAir(const ConfigSettings& settings, const std::tm& utc);

}  // namespace vardex
