#include "settings_compare.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vardex {
namespace {

using S = ImageSection;

struct Change {
  S section;
  std::function<void(ConfigSettings&)> apply;
  std::string difference;
};

// One value changed in each case; only its own section differs, and the
// description names its field's key with both values.
TEST(SettingsCompare, NamesTheOneValueThatChanged) {
  const Change changes[] = {
      {S::kRadio, [](ConfigSettings& s) { s.radio.callsign = "NOCAL"; },
       "radio.callsign: [NOCALL] -> [NOCAL]\n"},
      {S::kRadio, [](ConfigSettings& s) { s.radio.busyDetect = -1; },
       "radio.busyDetect: [0] -> [-1]\n"},
      {S::kDigipeater, [](ConfigSettings& s) { s.digipeater.paths[7].active = true; },
       "path[8].active: [false] -> [true]\n"},
      {S::kBeacons, [](ConfigSettings& s) { s.beacons.beacons[7].block.txRateAprsIs = "6"; },
       "beacon[8].rateAprsIs: [5] -> [6]\n"},
      {S::kBeacons, [](ConfigSettings& s) { s.beacons.beacons[2].message = "x"; },
       "beacon[3].message: [] -> [x]\n"},
      {S::kNetwork, [](ConfigSettings& s) { s.network.dns[3] = "9"; },
       "network.dns[4]: [1] -> [9]\n"},
      {S::kAprsIs, [](ConfigSettings& s) { s.aprsIs.servers[2].port = ""; },
       "aprsIs.server[3].port: [14580] -> []\n"},
      {S::kWeather, [](ConfigSettings& s) { s.weather.report.dest = 0; },
       "weather.report.dest: [1] -> [0]\n"},
      {S::kClock, [](ConfigSettings& s) { s.clock.ntpServer = "a"; },
       "clock.ntpServer: [pool.ntp.org] -> [a]\n"},
      {S::kAccess, [](ConfigSettings& s) { s.access.telnet.port = "2323"; },
       "telnet.port: [23] -> [2323]\n"},
      {S::kTelemetry, [](ConfigSettings& s) { s.telemetry.channels[4].coeffC = "-63"; },
       "channel[5].coeffC: [-64] -> [-63]\n"},
      {S::kTelemetryData, [](ConfigSettings& s) { s.telemetryData.toRf = false; },
       "telemetryData.toRf: [true] -> [false]\n"},
      {S::kTelemetryParameters, [](ConfigSettings& s) { s.telemetryParameters.path = ""; },
       "telemetryParameters.path: [WIDE] -> []\n"},
  };
  const ConfigSettings before;
  for (const Change& c : changes) {
    ConfigSettings after;
    c.apply(after);
    for (std::size_t i = 0; i < kImageSectionCount; ++i) {
      const auto section = static_cast<S>(i);
      EXPECT_EQ(SameSection(before, after, section), section != c.section)
          << c.difference << " in section " << i;
    }
    EXPECT_EQ(DescribeDifference(before, after, c.section), c.difference);
  }
}

TEST(SettingsCompare, TextsDifferingOnlyAfterAZeroByteDiffer) {
  ConfigSettings a;
  ConfigSettings b;
  a.beacons.beacons[0].message = std::string("ab\0c", 4);
  b.beacons.beacons[0].message = "ab";
  EXPECT_FALSE(SameSection(a, b, S::kBeacons));
}

}  // namespace
}  // namespace vardex
