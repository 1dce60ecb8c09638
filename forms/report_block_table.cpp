#include "report_block_table.h"

#include <array>
#include <cstddef>
#include <string>

#include "field_table.h"

namespace vardex {
namespace {

// Tool tips of one kind of report (all beacons share theirs).
struct BlockHints {
  std::string_view dest;
  std::string_view path;
  std::string_view smalln;
  std::string_view bign;
  std::string_view txRateRf;
  std::string_view txRateAprsIs;
  std::string_view toRf;
  std::string_view toAprsIs;
};

constexpr BlockHints kBeaconHints = {
    "Beacon destination.",
    "Beacon path in New-N format. If you leave this field blank, beacon will be sent without path.",
    "n value for beacon path in New-N format.",
    "N value for beacon path in New-N format.",
    "Beacon TX rate to RF (minutes).",
    "Beacon TX rate to APRS-IS (minutes).",
    "If selected, beacon will be sent to RF.",
    "If selected, beacon will be sent to APRS-IS server.",
};

constexpr BlockHints kWeatherReportHints = {
    "Weather report destination.",
    "Weather report path in New-N format. If you leave this field blank, report will be sent "
    "without path.",
    "n value for weather report path in New-N format.",
    "N value for weather report path in New-N format.",
    "Weather report TX rate to RF (minutes).",
    "Weather report TX rate to APRS-IS (minutes).",
    "If selected, weather report will be sent to RF.",
    "If selected, weather report will be sent to APRS-IS server.",
};

constexpr BlockHints kTelemetryDataHints = {
    "Telemetry data destination.",
    "Telemetry data path in New-N format. If you leave this field blank, telemetry data will be "
    "sent without path.",
    "n value for telemetry data path in New-N format.",
    "N value for telemetry data path in New-N format.",
    "Telemetry data TX rate to RF (minutes).",
    "Telemetry data TX rate to APRS-IS (minutes).",
    "If selected, telemetry data will be sent to RF.",
    "If selected, Telemetry data will be sent to APRS-IS server.",
};

constexpr BlockHints kTelemetryParametersHints = {
    "Telemetry parameters destination.",
    "Telemetry parameters path in New-N format. If you leave this field blank, telemetry "
    "parameters will be sent without path.",
    "n value for telemetry parameters path in New-N format.",
    "N value for telemetry parameters path in New-N format.",
    "Telemetry parameters TX rate to RF (minutes).",
    "Telemetry parameters TX rate to APRS-IS (minutes).",
    "If selected, telemetry parameters will be sent to RF.",
    "If selected, Telemetry parameters will be sent to APRS-IS server.",
};

// What tells the controls of one block apart from those of the other ten.
struct BlockControls {
  std::string_view prefix;      // "Beacon1_" in "Beacon1_txrate_rf"
  std::string_view pathSuffix;  // "Path" for the beacons, "path" for the others
  int rateLength;               // characters the rate boxes admit
  const BlockHints* hints;
};

// In ReportBlockInstance order.
constexpr std::array<BlockControls, 11> kBlockControls = {{
    {"Beacon1_", "Path", 4, &kBeaconHints},
    {"Beacon2_", "Path", 4, &kBeaconHints},
    {"Beacon3_", "Path", 4, &kBeaconHints},
    {"Beacon4_", "Path", 4, &kBeaconHints},
    {"Beacon5_", "Path", 4, &kBeaconHints},
    {"Beacon6_", "Path", 4, &kBeaconHints},
    {"Beacon7_", "Path", 4, &kBeaconHints},
    {"Beacon8_", "Path", 4, &kBeaconHints},
    {"Weather_", "path", 3, &kWeatherReportHints},
    {"Teledata_", "path", 3, &kTelemetryDataHints},
    {"Teleparams_", "path", 3, &kTelemetryParametersHints},
}};

}  // namespace

void AppendReportBlockRows(std::vector<ControlRow>& rows, ReportBlockInstance instance,
                           std::string_view rowName) {
  const int index = static_cast<int>(instance);
  const BlockControls& block = kBlockControls[static_cast<std::size_t>(index)];
  const BlockHints& hints = *block.hints;
  const std::string prefix(block.prefix);
  const std::string key = ReportBlockKey(instance) + ".";
  const std::string row(rowName);
  const std::vector<std::string_view> destinations(kDestinationList.begin(),
                                                   kDestinationList.end());
  auto edit = [&](const std::string& suffix, std::string_view column, int maxLength,
                  std::string_view hint, std::string_view field) {
    rows.push_back({.objectName = prefix + suffix,
                    .label = row + " " + std::string(column),
                    .kind = ControlKind::kEdit,
                    .maxLength = maxLength,
                    .hint = std::string(hint),
                    .key = key + std::string(field),
                    .instance = index});
  };
  auto check = [&](const std::string& suffix, std::string_view column, std::string_view hint,
                   std::string_view field) {
    rows.push_back({.objectName = prefix + suffix,
                    .label = row + " " + std::string(column),
                    .kind = ControlKind::kCheck,
                    .hint = std::string(hint),
                    .key = key + std::string(field),
                    .instance = index});
  };

  rows.push_back({.objectName = prefix + "dest",
                  .label = row + " Dest",
                  .kind = ControlKind::kList,
                  .hint = std::string(hints.dest),
                  .items = destinations,
                  .key = key + "dest",
                  .instance = index});
  edit(std::string(block.pathSuffix), "Path(n-N)", 5, hints.path, "path");
  edit("smalln", "n", 1, hints.smalln, "smalln");
  edit("bign", "N", 1, hints.bign, "bign");
  edit("txrate_rf", "Rate [RF]", block.rateLength, hints.txRateRf, "rateRf");
  edit("txrate_aprsis", "Rate [IS]", block.rateLength, hints.txRateAprsIs, "rateAprsIs");
  check("torf", "RF", hints.toRf, "toRf");
  check("toaprsis", "IS", hints.toAprsIs, "toAprsIs");
}

}  // namespace vardex
