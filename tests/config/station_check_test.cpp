#include "station_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "aprs_passcode.h"
#include "field_table.h"

namespace vardex {
namespace {

// 12960 for NOCALL is the value published with xastir's callpass(1); the
// others come from tests/cli/passcode_reference.py, a separate computation.
TEST(AprsPasscode, OfTheBaseCallsign) {
  const struct {
    const char* login;
    int passcode;
  } cases[] = {
      {"nocall", 12960}, {"NOCALL-5", 12960}, {"SP3XYZ-10", 19120},
      {"w1aw", 25988},   {"K1A", 31187},  // odd length: last char high
  };
  for (const auto& c : cases) EXPECT_EQ(AprsIsPasscode(c.login), c.passcode) << c.login;
}

TEST(AprsPasscode, PasswordAgainstLogin) {
  const struct {
    const char* login;
    const char* password;
    PasscodeMatch match;
  } cases[] = {
      {"SP3XYZ", "19120", PasscodeMatch::kMatches},
      {"sp3xyz-7", "19120", PasscodeMatch::kMatches},
      {"SP3XYZ", "-1", PasscodeMatch::kReceiveOnly},
      {"SP3XYZ", "12960", PasscodeMatch::kWrong},
      {"NOCALL", "40917", PasscodeMatch::kNotAPasscode},  // the start-up password
      {"SP3XYZ", "32768", PasscodeMatch::kNotAPasscode},
      {"SP3XYZ", "-2", PasscodeMatch::kNotAPasscode},
      {"SP3XYZ", "", PasscodeMatch::kNotAPasscode},
      {"SP3XYZ", "19120 ", PasscodeMatch::kNotAPasscode},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchPasscode(c.login, c.password), c.match) << c.login << " " << c.password;
}

std::vector<std::string> KeysOf(const ConfigSettings& settings) {
  std::vector<std::string> keys;
  for (const StationFinding& finding : CheckStation(settings)) {
    keys.push_back(finding.key);
    EXPECT_NE(FindField(finding.key), nullptr) << finding.key;
    EXPECT_NE(StationCheckTopic(finding.key), "") << finding.key << " not in the reference";
    EXPECT_FALSE(finding.onAir.empty() || finding.advice.empty() || finding.source.empty());
  }
  return keys;
}

TEST(StationCheck, StartUpValues) {
  EXPECT_EQ(KeysOf(ConfigSettings{}),
            (std::vector<std::string>{"radio.callsign", "radio.latitude", "path[1].higher",
                                      "beacon[1].rateRf", "aprsIs.password",
                                      "weather.report.rateRf", "www.password", "telnet.password"}));
}

// A home station that follows common practice: no finding.
ConfigSettings CleanStation() {
  ConfigSettings s;
  s.radio.callsign = "SP3XYZ";
  s.radio.latitude = "5224.00N";
  s.radio.longitude = "01655.00E";
  s.digipeater.paths[0].higher = "2";
  s.beacons.beacons[0].block.txRateRf = "30";
  s.aprsIs.user = "SP3XYZ-10";
  s.aprsIs.password = "19120";
  s.weather.report.txRateRf = "10";
  s.access.www.password = "k7-secret";
  s.access.telnet.password = "k7-secret";
  return s;
}

TEST(StationCheck, EachFindingFromItsSetting) {
  const struct {
    const char* what;
    std::function<void(ConfigSettings&)> change;
    std::vector<std::string> keys;
  } cases[] = {
      {"clean", [](ConfigSettings&) {}, {}},
      {"nocall",
       [](ConfigSettings& s) { s.radio.callsign = "nocall"; },
       {"radio.callsign", "aprsIs.user"}},
      {"start-up position",
       [](ConfigSettings& s) { s.radio.latitude = "5221.60N", s.radio.longitude = "01653.63E"; },
       {"radio.latitude"}},
      {"start-up latitude only", [](ConfigSettings& s) { s.radio.latitude = "5221.60N"; }, {}},
      {"login of another call",
       [](ConfigSettings& s) { s.aprsIs.user = "SP3ABC"; },
       {"aprsIs.user", "aprsIs.password"}},
      {"login with other SSID", [](ConfigSettings& s) { s.aprsIs.user = "sp3xyz-3"; }, {}},
      {"start-up password",
       [](ConfigSettings& s) { s.aprsIs.password = "40917"; },
       {"aprsIs.password"}},
      {"receive-only while gating",
       [](ConfigSettings& s) { s.aprsIs.password = "-1"; },
       {"aprsIs.password"}},
      {"receive-only, not gating",
       [](ConfigSettings& s) { s.aprsIs.password = "-1", s.aprsIs.gateRfToAprsIs = false; },
       {}},
      {"no server",
       [](ConfigSettings& s) { s.aprsIs.servers[0].host = "", s.aprsIs.password = "1"; },
       {}},
      {"web password",
       [](ConfigSettings& s) { s.access.www.password = "kibzo"; },
       {"www.password"}},
      {"telnet password",
       [](ConfigSettings& s) { s.access.telnet.password = "kibzo"; },
       {"telnet.password"}},
      {"RELAY path",
       [](ConfigSettings& s) { s.beacons.beacons[0].block.path = "relay"; },
       {"beacon[1].path"}},
      {"three hops",
       [](ConfigSettings& s) {
         s.beacons.beacons[0].block.smalln = "3", s.beacons.beacons[0].block.bign = "3";
       },
       {"beacon[1].smalln"}},
      {"three hops, no path",
       [](ConfigSettings& s) {
         s.beacons.beacons[0].block.path = "", s.beacons.beacons[0].block.smalln = "3";
       },
       {}},
      {"beacon every 9 min",
       [](ConfigSettings& s) { s.beacons.beacons[0].block.txRateRf = "9"; },
       {"beacon[1].rateRf"}},
      {"beacon every 10 min",
       [](ConfigSettings& s) { s.beacons.beacons[0].block.txRateRf = "10"; },
       {}},
      {"fast beacon, IS only",
       [](ConfigSettings& s) {
         s.beacons.beacons[0].block.txRateRf = "5", s.beacons.beacons[0].block.toRf = false;
       },
       {}},
      {"fast beacon with message",
       [](ConfigSettings& s) { s.beacons.beacons[4].message = "!5224.00N/01655.00E-"; },
       {"beacon[5].rateRf"}},
      {"weather every 9 min",
       [](ConfigSettings& s) { s.weather.report.txRateRf = "9"; },
       {"weather.report.rateRf"}},
      {"no weather station",
       [](ConfigSettings& s) { s.weather.report.txRateRf = "5", s.weather.stationType = 0; },
       {}},
      {"telemetry on, start-up rates",
       [](ConfigSettings& s) { s.telemetry.moduleSupport = 1; },
       {"telemetryData.rateRf", "telemetryParameters.rateRf"}},
      {"telemetry parameters every 29 min",
       [](ConfigSettings& s) {
         s.telemetry.moduleSupport = 1, s.telemetryData.txRateRf = "10",
         s.telemetryParameters.txRateRf = "29";
       },
       {"telemetryParameters.rateRf"}},
      {"no fill-in",
       [](ConfigSettings& s) { s.digipeater.paths[0].lower = "2"; },
       {"digipeater.on"}},
      {"no fill-in, digipeater off",
       [](ConfigSettings& s) {
         s.digipeater.paths[0].lower = "2", s.digipeater.digipeaterOn = false;
       },
       {}},
      {"fill-in row inactive",
       [](ConfigSettings& s) { s.digipeater.paths[0].active = false; },
       {"digipeater.on"}},
      {"fill-in only", [](ConfigSettings& s) { s.digipeater.paths[0].higher = "1"; }, {}},
      {"TRACE row",
       [](ConfigSettings& s) {
         s.digipeater.paths[2] = {"TRACE", "1", "7", 1, true};
       },
       {"path[3].name"}},
      {"inactive RELAY row",
       [](ConfigSettings& s) {
         s.digipeater.paths[2] = {"RELAY", "1", "7", 0, false};
       },
       {}},
      {"WIDE up to 4",
       [](ConfigSettings& s) { s.digipeater.paths[0].higher = "4"; },
       {"path[1].higher"}},
      {"WIDE up to 3", [](ConfigSettings& s) { s.digipeater.paths[0].higher = "3"; }, {}},
  };
  for (const auto& c : cases) {
    ConfigSettings settings = CleanStation();
    c.change(settings);
    EXPECT_EQ(KeysOf(settings), c.keys) << c.what;
  }
}

}  // namespace
}  // namespace vardex
