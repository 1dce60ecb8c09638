#include "settings_compare.h"

#include <string_view>

namespace vardex {
namespace {

// Each Visit function hands every value of a part of two settings to
// `visit(name, valueOfA, valueOfB)`, so that one listing of the values serves
// both the comparison and the description of a difference.

template <typename V>
void VisitBlock(const ReportBlockSettings& a, const ReportBlockSettings& b, V& visit) {
  visit("dest", a.dest, b.dest);
  visit("path", a.path, b.path);
  visit("smalln", a.smalln, b.smalln);
  visit("bign", a.bign, b.bign);
  visit("txRateRf", a.txRateRf, b.txRateRf);
  visit("txRateAprsIs", a.txRateAprsIs, b.txRateAprsIs);
  visit("toRf", a.toRf, b.toRf);
  visit("toAprsIs", a.toAprsIs, b.toAprsIs);
}

template <typename V>
void Visit(const RadioSettings& a, const RadioSettings& b, V& visit) {
  visit("callsign", a.callsign, b.callsign);
  visit("ssid", a.ssid, b.ssid);
  visit("txDelay", a.txDelay, b.txDelay);
  visit("quietTime", a.quietTime, b.quietTime);
  visit("pttType", a.pttType, b.pttType);
  visit("busyDetect", a.busyDetect, b.busyDetect);
  visit("latitude", a.latitude, b.latitude);
  visit("longitude", a.longitude, b.longitude);
}

template <typename V>
void Visit(const DigipeaterSettings& a, const DigipeaterSettings& b, V& visit) {
  visit("digipeaterOn", a.digipeaterOn, b.digipeaterOn);
  visit("duplicateChecking", a.duplicateChecking, b.duplicateChecking);
  for (std::size_t i = 0; i < a.paths.size(); ++i) {
    const DigipeaterPath& p = a.paths[i];
    const DigipeaterPath& q = b.paths[i];
    visit("path.name", p.name, q.name);
    visit("path.lower", p.lower, q.lower);
    visit("path.higher", p.higher, q.higher);
    visit("path.traceable", p.traceable, q.traceable);
    visit("path.active", p.active, q.active);
  }
}

template <typename V>
void Visit(const BeaconSettings& a, const BeaconSettings& b, V& visit) {
  for (std::size_t i = 0; i < a.beacons.size(); ++i) {
    VisitBlock(a.beacons[i].block, b.beacons[i].block, visit);
    visit("beacon.message", a.beacons[i].message, b.beacons[i].message);
  }
}

template <typename V>
void Visit(const NetworkSettings& a, const NetworkSettings& b, V& visit) {
  for (std::size_t i = 0; i < 4; ++i) {
    visit("address", a.address[i], b.address[i]);
    visit("mask", a.mask[i], b.mask[i]);
    visit("gateway", a.gateway[i], b.gateway[i]);
    visit("dns", a.dns[i], b.dns[i]);
  }
}

template <typename V>
void Visit(const AprsIsSettings& a, const AprsIsSettings& b, V& visit) {
  for (std::size_t i = 0; i < a.servers.size(); ++i) {
    visit("server.host", a.servers[i].host, b.servers[i].host);
    visit("server.port", a.servers[i].port, b.servers[i].port);
  }
  visit("user", a.user, b.user);
  visit("password", a.password, b.password);
  visit("gateRfToAprsIs", a.gateRfToAprsIs, b.gateRfToAprsIs);
  visit("gateAprsIsToRf", a.gateAprsIsToRf, b.gateAprsIsToRf);
}

template <typename V>
void Visit(const WeatherSettings& a, const WeatherSettings& b, V& visit) {
  visit("stationType", a.stationType, b.stationType);
  VisitBlock(a.report, b.report, visit);
  visit("comment", a.comment, b.comment);
}

template <typename V>
void Visit(const ClockSettings& a, const ClockSettings& b, V& visit) {
  visit("uploadPcTime", a.uploadPcTime, b.uploadPcTime);
  visit("year", a.year, b.year);
  visit("month", a.month, b.month);
  visit("day", a.day, b.day);
  visit("hour", a.hour, b.hour);
  visit("minute", a.minute, b.minute);
  visit("useNtp", a.useNtp, b.useNtp);
  visit("ntpServer", a.ntpServer, b.ntpServer);
}

template <typename V>
void Visit(const AccessSettings& a, const AccessSettings& b, V& visit) {
  visit("www.user", a.www.user, b.www.user);
  visit("www.password", a.www.password, b.www.password);
  visit("www.port", a.www.port, b.www.port);
  visit("telnet.user", a.telnet.user, b.telnet.user);
  visit("telnet.password", a.telnet.password, b.telnet.password);
  visit("telnet.port", a.telnet.port, b.telnet.port);
}

template <typename V>
void Visit(const TelemetrySettings& a, const TelemetrySettings& b, V& visit) {
  visit("moduleSupport", a.moduleSupport, b.moduleSupport);
  for (std::size_t i = 0; i < a.channels.size(); ++i) {
    const TelemetryChannel& c = a.channels[i];
    const TelemetryChannel& d = b.channels[i];
    visit("channel.source", c.source, d.source);
    visit("channel.name", c.name, d.name);
    visit("channel.units", c.units, d.units);
    visit("channel.coeffA", c.coeffA, d.coeffA);
    visit("channel.coeffB", c.coeffB, d.coeffB);
    visit("channel.coeffC", c.coeffC, d.coeffC);
    visit("channel.average", c.average, d.average);
  }
}

template <typename V>
void VisitSection(const ConfigSettings& a, const ConfigSettings& b, ImageSection section,
                  V& visit) {
  switch (section) {
    case ImageSection::kRadio:
      return Visit(a.radio, b.radio, visit);
    case ImageSection::kDigipeater:
      return Visit(a.digipeater, b.digipeater, visit);
    case ImageSection::kBeacons:
      return Visit(a.beacons, b.beacons, visit);
    case ImageSection::kNetwork:
      return Visit(a.network, b.network, visit);
    case ImageSection::kAprsIs:
      return Visit(a.aprsIs, b.aprsIs, visit);
    case ImageSection::kWeather:
      return Visit(a.weather, b.weather, visit);
    case ImageSection::kClock:
      return Visit(a.clock, b.clock, visit);
    case ImageSection::kAccess:
      return Visit(a.access, b.access, visit);
    case ImageSection::kTelemetry:
      return Visit(a.telemetry, b.telemetry, visit);
    case ImageSection::kTelemetryData:
      return VisitBlock(a.telemetryData, b.telemetryData, visit);
    case ImageSection::kTelemetryParameters:
      return VisitBlock(a.telemetryParameters, b.telemetryParameters, visit);
  }
}

std::string Shown(const std::string& text) {
  return text;
}
std::string Shown(int value) {
  return std::to_string(value);
}
std::string Shown(bool value) {
  return value ? "true" : "false";
}

}  // namespace

bool SameSection(const ConfigSettings& a, const ConfigSettings& b, ImageSection section) {
  bool same = true;
  auto visit = [&same](std::string_view, const auto& x, const auto& y) { same = same && x == y; };
  VisitSection(a, b, section, visit);
  return same;
}

std::string DescribeDifference(const ConfigSettings& a, const ConfigSettings& b,
                               ImageSection section) {
  std::string lines;
  auto visit = [&lines](std::string_view name, const auto& x, const auto& y) {
    if (x == y)
      return;
    // Brackets show where a text ends; texts may hold any byte.
    lines.append(name).append(": [").append(Shown(x)).append("] -> [");
    lines.append(Shown(y)).append("]\n");
  };
  VisitSection(a, b, section, visit);
  return lines;
}

}  // namespace vardex
