#include "telemetry_settings.h"

#include <string>

namespace vardex {
namespace {

struct SourceDefaults {
  const char* name;  // nullptr: "A" and the channel number
  const char* units;
  const char* coeffA;
  const char* coeffB;
  const char* coeffC;
};

// Indexed by source; the same for every channel.
constexpr std::array<SourceDefaults, kTelemetrySourceItems.size()> kSourceDefaults = {{
    {nullptr, "None", "0", "0", "0"},
    {"I1", "mA", "0", "19.5", "0"},
    {"I1", "mA", "0", "9.76", "0"},
    {"I1", "mA", "0", "4.88", "0"},
    {"I2", "mA", "0", "19.5", "0"},
    {"I2", "mA", "0", "9.76", "0"},
    {"I2", "mA", "0", "4.88", "0"},
    {"U1", "Volt", "0", "0.1", "0"},
    {"U2", "Volt", "0", "0.1", "0"},
    {"Temp", "C", "0", "0.5", "-64"},
    {"Temp", "C", "0", "0.5", "-64"},
}};

}  // namespace

bool ApplyChannelDefaults(TelemetryChannel& channel, int channelNumber) {
  if (channel.source < 0 || channel.source >= static_cast<int>(kSourceDefaults.size())) {
    return false;
  }
  const SourceDefaults& d = kSourceDefaults[static_cast<std::size_t>(channel.source)];
  channel.name = d.name ? d.name : "A" + std::to_string(channelNumber);
  channel.units = d.units;
  channel.coeffA = d.coeffA;
  channel.coeffB = d.coeffB;
  channel.coeffC = d.coeffC;
  return true;
}

}  // namespace vardex
