#include "station_check.h"

#include <charconv>
#include <optional>

#include "aprs_passcode.h"
#include "beacon_check.h"
#include "field_table.h"

namespace vardex {
namespace {

constexpr std::string_view kSourceCallsign =
    "APRS Protocol Reference 1.0.1: a packet's source address is the sending station's own "
    "callsign-SSID";
constexpr std::string_view kSourceStartUp = "the start-up values of this tool";
constexpr std::string_view kSourceAprsIs =
    "aprs-is.net, Connecting to APRS-IS: the login is the station's callsign-SSID, the passcode "
    "is computed from the callsign, -1 logs in receive-only";
constexpr std::string_view kSourceNewN =
    "WB4APR, the New-n paradigm (2004): RELAY, TRACE and plain WIDE are retired; WIDEn-N with n "
    "of 2 or less for routine use; WIDE1-1 is the fill-in first hop";
constexpr std::string_view kSourceFillIn =
    "WB4APR, the New-n paradigm; NWAPRS, Fill-in digipeater settings: every digipeater answers "
    "WIDE1-1, a fill-in answers nothing else";
constexpr std::string_view kSourcePosition =
    "WB4APR on APRSSIG (Aug 2008): unchanging data is refreshed every 10 minutes locally and 30 "
    "regionally; aprs.cz: home stations every 20-30 min; Kansas City APRS, Standards: every "
    "30-45 min";
constexpr std::string_view kSourceWeather =
    "WB4APR on APRSSIG (Aug 2008): weather about every 5 minutes while it changes, decaying to "
    "30; aprs.cz: weather stations every 10-20 min; Kansas City APRS, Standards: every 30 min on "
    "RF";
constexpr std::string_view kSourceTelemetry =
    "WB4APR on APRSSIG (Aug 2008): the 10-minute local and 30-minute regional refresh times";

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::optional<int> Whole(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end)
    return std::nullopt;
  return value;
}

bool IsRetiredAlias(std::string_view name) {
  const std::string upper = Upper(name);
  return upper == "RELAY" || upper == "TRACE";
}

void Add(std::vector<StationFinding>& findings, std::string key, std::string onAir,
         std::string advice, std::string_view source) {
  findings.push_back({std::move(key), std::move(onAir), std::move(advice), std::string(source)});
}

void CheckIdentity(const ConfigSettings& s, std::vector<StationFinding>& findings) {
  if (Upper(s.radio.callsign) == "NOCALL") {
    Add(findings, "radio.callsign",
        "Every packet goes out as NOCALL, a placeholder nobody holds: the station does not "
        "identify itself, and its packets cannot be told from any other unconfigured device's.",
        "Type your own callsign (and an SSID, 0 for a home station).", kSourceCallsign);
  }
  const RadioSettings startUp;
  if (s.radio.latitude == startUp.latitude && s.radio.longitude == startUp.longitude) {
    Add(findings, "radio.latitude",
        "Beacons that carry <lat> and <long> place the station at " + startUp.latitude + " " +
            startUp.longitude + ", the start-up position, not where it stands.",
        "Type the station's own latitude and longitude.", kSourceStartUp);
  }
}

bool UsesAprsIs(const ConfigSettings& s) {
  for (const AprsIsServer& server : s.aprsIs.servers) {
    if (!server.host.empty())
      return true;
  }
  return false;
}

void CheckAprsIsLogin(const ConfigSettings& s, std::vector<StationFinding>& findings) {
  if (!UsesAprsIs(s))
    return;
  const std::string station = BaseCallsign(s.radio.callsign);
  const std::string login = BaseCallsign(s.aprsIs.user);
  if (login != station) {
    Add(findings, "aprsIs.user",
        "The device logs in to APRS-IS as " + (login.empty() ? "nobody" : login) +
            ", while it sends on the air as " + station +
            ": what it gates is credited to another station.",
        "Use the station's callsign as login (an SSID may follow), and its passcode as "
        "password.",
        kSourceAprsIs);
  }
  const std::string passcode = std::to_string(AprsIsPasscode(s.aprsIs.user));
  switch (MatchPasscode(s.aprsIs.user, s.aprsIs.password)) {
    case PasscodeMatch::kMatches:
      break;
    case PasscodeMatch::kReceiveOnly:
      if (s.aprsIs.gateRfToAprsIs) {
        Add(findings, "aprsIs.password",
            "-1 logs in receive-only: the servers accept nothing the device gates, although "
            "\"Gate RF traffic to APRS-IS\" is on.",
            "Type the passcode of the login, " + passcode + ", to gate.", kSourceAprsIs);
      }
      break;
    case PasscodeMatch::kWrong:
      Add(findings, "aprsIs.password",
          "\"" + s.aprsIs.password + "\" is not the passcode of " + login +
              ": the servers accept the login but gate nothing from it.",
          "Type the passcode of the login, " + passcode + " (\"From login\" fills it in).",
          kSourceAprsIs);
      break;
    case PasscodeMatch::kNotAPasscode:
      Add(findings, "aprsIs.password",
          "\"" + s.aprsIs.password +
              "\" is no passcode of any callsign (passcodes are 0 to 32767; -1 logs in "
              "receive-only): the servers gate nothing from the device.",
          "Type the passcode of the login, " + passcode + " (\"From login\" fills it in).",
          kSourceAprsIs);
      break;
  }
}

void CheckAdminPasswords(const ConfigSettings& s, std::vector<StationFinding>& findings) {
  const AccessSettings startUp;
  const auto check = [&](const ServiceAccess& service, const ServiceAccess& initial,
                         const char* key, const char* what) {
    if (service.password == initial.password) {
      Add(findings, key,
          std::string("The ") + what + " administration keeps the start-up password \"" +
              initial.password +
              "\", which anyone who has this tool knows: whoever reaches "
              "the device's network port can change what it transmits.",
          "Choose a password of your own.", kSourceStartUp);
    }
  };
  check(s.access.www, startUp.www, "www.password", "web");
  check(s.access.telnet, startUp.telnet, "telnet.password", "telnet");
}

// Whether the device sends this report on RF at all.
bool SentOnRf(const ConfigSettings& s, ReportBlockInstance instance) {
  const auto index = static_cast<std::size_t>(instance);
  const ReportBlockSettings& block = ReportBlockOf(s, instance);
  if (!block.toRf)
    return false;
  if (index < kBeaconCount)
    return !s.beacons.beacons[index].message.empty();
  if (instance == ReportBlockInstance::kWeatherReport)
    return s.weather.stationType > 0;
  return s.telemetry.moduleSupport == 1;
}

struct RateRule {
  int fewestMinutes;
  std::string_view advice;
  std::string_view source;
};

RateRule RateRuleOf(ReportBlockInstance instance) {
  switch (instance) {
    case ReportBlockInstance::kWeatherReport:
      return {kFewestMinutesWeatherOnRf,
              "every 10 to 30 minutes on RF; fast weather feeds go by APRS-IS", kSourceWeather};
    case ReportBlockInstance::kTelemetryData:
      return {kFewestMinutesTelemetryOnRf, "every 10 minutes or more", kSourceTelemetry};
    case ReportBlockInstance::kTelemetryParameters:
      return {kFewestMinutesParametersOnRf, "every 30 minutes or more: they do not change",
              kSourceTelemetry};
    default:
      return {kFewestMinutesPositionOnRf,
              "every 30 minutes for a fixed station (10 at the very least)", kSourcePosition};
  }
}

// "Beacon 3", "The weather report": the report as a sentence names it.
std::string ReportName(ReportBlockInstance instance) {
  switch (instance) {
    case ReportBlockInstance::kWeatherReport:
      return "The weather report";
    case ReportBlockInstance::kTelemetryData:
      return "The telemetry report";
    case ReportBlockInstance::kTelemetryParameters:
      return "The telemetry parameters (names, units, equations)";
    default:
      return "Beacon " + std::to_string(static_cast<int>(instance) + 1);
  }
}

void CheckReportBlock(const ConfigSettings& s, ReportBlockInstance instance,
                      std::vector<StationFinding>& findings) {
  if (!SentOnRf(s, instance))
    return;
  const ReportBlockSettings& block = ReportBlockOf(s, instance);
  const std::string key = ReportBlockKey(instance) + ".";
  const std::string label = ReportName(instance);
  if (IsRetiredAlias(block.path)) {
    Add(findings, key + "path",
        label + " asks for " + Upper(block.path) +
            ", an alias retired in 2004: most digipeaters ignore it, old ones repeat it "
            "without duplicate checking.",
        "Use WIDE with n-N (WIDE2-2 for a fixed station), or no path.", kSourceNewN);
  }
  const std::optional<int> n = Whole(block.smalln);
  if (!block.path.empty() && n && *n > kMostHopsOfFixedStation) {
    Add(findings, key + "smalln",
        label + " asks for " + block.path + block.smalln + "-" + block.bign + ": up to " +
            block.smalln + " hops, further than a fixed station is heard by anyone it serves.",
        "Use n and N of 2 at most (WIDE2-2); some sparse regions accept 3, ask your local "
        "APRS group.",
        kSourceNewN);
  }
  const RateRule rule = RateRuleOf(instance);
  const std::optional<int> minutes = Whole(block.txRateRf);
  if (minutes && *minutes < rule.fewestMinutes) {
    Add(findings, key + "rateRf",
        label + " goes out on RF every " + block.txRateRf +
            " minutes, more often than common practice (at most once every " +
            std::to_string(rule.fewestMinutes) +
            " minutes); the channel is shared by a "
            "whole region.",
        "Send it " + std::string(rule.advice) + ".", rule.source);
  }
}

void CheckDigipeater(const ConfigSettings& s, std::vector<StationFinding>& findings) {
  if (!s.digipeater.digipeaterOn)
    return;
  bool fillIn = false;
  for (std::size_t row = 0; row < kDigipeaterPathCount; ++row) {
    const DigipeaterPath& path = s.digipeater.paths[row];
    if (!path.active)
      continue;
    const int number = static_cast<int>(row) + 1;
    const std::optional<int> lower = Whole(path.lower);
    const std::optional<int> higher = Whole(path.higher);
    const bool wide = Upper(path.name) == "WIDE";
    if (wide && lower && higher && *lower <= 1 && *higher >= 1)
      fillIn = true;
    if (IsRetiredAlias(path.name)) {
      Add(findings, RecordKey("path", number, "name"),
          "The digipeater answers " + Upper(path.name) +
              ", an alias retired in 2004: it repeats old stations' packets again and again.",
          "Clear the row's \"active\" box, or name it WIDE.", kSourceNewN);
    }
    if (wide && higher && *higher > kMostHopsDigipeated) {
      Add(findings, RecordKey("path", number, "higher"),
          "The digipeater repeats WIDEn-N up to n = " + path.higher + ": a packet that asks for " +
              path.higher + " hops floods a whole region.",
          "Serve n up to 2 where digipeaters are many, 3 where they are few; ask your local "
          "APRS group.",
          kSourceNewN);
    }
  }
  if (!fillIn) {
    Add(findings, "digipeater.on",
        "The digipeater is on but no active row serves WIDE1-1: the first hop of mobiles "
        "(WIDE1-1,WIDE2-1) is not repeated here.",
        "Add an active row WIDE with N >= 1 (a fill-in digipeater: N >= 1 and N <= 1).",
        kSourceFillIn);
  }
}

}  // namespace

std::vector<StationFinding> CheckStation(const ConfigSettings& settings, const PcClock& clock) {
  std::vector<StationFinding> findings;
  CheckIdentity(settings, findings);
  CheckDigipeater(settings, findings);
  for (std::size_t k = 0; k < kBeaconCount; ++k) {
    CheckReportBlock(settings, ReportBlockInstance(k), findings);
    CheckBeaconMessage(settings, static_cast<int>(k) + 1, clock, findings);
  }
  CheckAprsIsLogin(settings, findings);
  CheckReportBlock(settings, ReportBlockInstance::kWeatherReport, findings);
  CheckAdminPasswords(settings, findings);
  CheckReportBlock(settings, ReportBlockInstance::kTelemetryData, findings);
  CheckReportBlock(settings, ReportBlockInstance::kTelemetryParameters, findings);
  return findings;
}

std::string StationCheckTopic(std::string_view key) {
  const auto endsWith = [key](std::string_view tail) {
    return key.size() >= tail.size() && key.substr(key.size() - tail.size()) == tail;
  };
  if (key == "radio.callsign")
    return "still NOCALL";
  if (key == "radio.latitude" || key == "radio.longitude")
    return "the position still the start-up one";
  if (key == "aprsIs.user")
    return "not the station's callsign (base call) while a server is set";
  if (key == "aprsIs.password")
    return "not the passcode of the login; -1 (receive-only) while RF traffic is gated";
  if (key == "www.password" || key == "telnet.password")
    return "still the start-up password";
  if (key == "digipeater.on")
    return "on without an active WIDE row that serves WIDE1-1";
  if (key.starts_with("beacon[") && endsWith(".message"))
    return "a beacon that is on and that an APRS reader refuses or reads with a warning; the "
           "date stamped with h, or with z while the PC's clock is not on UTC";
  if (key.starts_with("path[") && endsWith(".name"))
    return "an active row named RELAY or TRACE";
  if (key.starts_with("path[") && endsWith(".higher"))
    return "an active WIDE row serving n above " + std::to_string(kMostHopsDigipeated);
  if (endsWith(".path") && !key.starts_with("path["))
    return "RELAY or TRACE on a report sent on RF";
  if (endsWith(".smalln"))
    return "n above " + std::to_string(kMostHopsOfFixedStation) + " on a report sent on RF";
  if (endsWith(".rateRf")) {
    int fewest = kFewestMinutesPositionOnRf;
    if (key.starts_with("telemetryParameters"))
      fewest = kFewestMinutesParametersOnRf;
    return "a report sent on RF more often than every " + std::to_string(fewest) + " minutes";
  }
  return {};
}

}  // namespace vardex
