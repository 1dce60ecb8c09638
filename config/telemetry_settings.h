#pragma once

#include <array>
#include <string>

namespace vardex {

// Items of the source lists; the stored byte is the index.
inline constexpr std::array<const char*, 11> kTelemetrySourceItems = {
    "Not used",
    "Current1 (5A fullscale)",
    "Current1 (2.5A fullscale)",
    "Current1 (1.25A fullscale)",
    "Current2 (5A fullscale)",
    "Current2 (2.5A fullscale)",
    "Current2 (1.25A fullscale)",
    "Voltage1",
    "Voltage2",
    "Temperature (DS18B20)",
    "Temperature (DS18S20)",
};

// One analog channel: what it measures, how it is reported and the
// coefficients of A*x*x + B*x + C, kept as typed (the device parses them).
struct TelemetryChannel {
  int source = 0;  // index into kTelemetrySourceItems, -1 when none
  std::string name;
  std::string units;
  std::string coeffA;
  std::string coeffB;
  std::string coeffC;
  int average = 0;  // "Off", "On"
};

// The "Telemetry module" page without its two report blocks.
struct TelemetrySettings {
  int moduleSupport = 0;  // "Disabled", "Enabled"
  std::array<TelemetryChannel, 5> channels = {{
      {1, "I1", "mA", "0", "19.5", "0", 0},
      {4, "I2", "mA", "0", "19.5", "0", 0},
      {7, "U1", "Volt", "0", "0.1", "0", 0},
      {8, "U2", "Volt", "0", "0.1", "0", 0},
      {9, "Temp", "C", "0", "0.5", "-64", 0},
  }};
};

// "Default parameters" of channel `channelNumber` (1 to 5): sets the name,
// units and coefficients that suit the channel's selected source. Returns
// false and changes nothing when no source is selected.
bool ApplyChannelDefaults(TelemetryChannel& channel, int channelNumber);

}  // namespace vardex
