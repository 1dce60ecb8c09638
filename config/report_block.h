#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vardex {

// The transmission settings that the eight beacons, the weather report and the
// two telemetry reports share: texts as typed, the Dest list's index (-1 when
// nothing is selected) and the two switches.
struct ReportBlockSettings {
  int dest = 1;  // index into kDestinationList
  std::string path = "WIDE";
  std::string smalln = "2";
  std::string bign = "2";
  std::string txRateRf = "5";
  std::string txRateAprsIs = "5";
  bool toRf = true;
  bool toAprsIs = true;
};

// The same two entries in every Dest list; each is stored as its text.
inline constexpr std::array<std::string_view, 2> kDestinationList = {"BEACON0", "APVDX10"};

// Everything that tells one report block apart from the other ten.
struct ReportBlockLayout {
  std::string_view messageLabel;  // "Beacon 1" in "Beacon 1 path, n should be >= N."
  // Image offsets of the fields.
  std::size_t dest;
  std::size_t path;
  std::size_t bign;
  std::size_t smalln;
  std::size_t txRateRf;
  std::size_t txRateAprsIs;
  std::size_t toRf;
  std::size_t toAprsIs;
  int defaultDest;
};

inline constexpr std::size_t kDestWidth = 8;
inline constexpr std::size_t kReportPathWidth = 6;

// Beacon k occupies 92 bytes from 340 + 92 * (k - 1); its message sits between
// the rates and the switches, and its last byte is never written.
constexpr ReportBlockLayout BeaconLayout(std::size_t k, std::string_view label, int defaultDest) {
  const std::size_t start = 340 + 92 * (k - 1);
  return {.messageLabel = label,
          .dest = start,
          .path = start + 8,
          .bign = start + 14,
          .smalln = start + 15,
          .txRateRf = start + 16,
          .txRateAprsIs = start + 20,
          .toRf = start + 89,
          .toAprsIs = start + 90,
          .defaultDest = defaultDest};
}

enum class ReportBlockInstance {
  kBeacon1,
  kBeacon2,
  kBeacon3,
  kBeacon4,
  kBeacon5,
  kBeacon6,
  kBeacon7,
  kBeacon8,
  kWeatherReport,
  kTelemetryData,
  kTelemetryParameters,
};

// The one table that drives all eleven instances, in ReportBlockInstance order.
// The telemetry blocks keep their switches ahead of their rates.
inline constexpr std::array<ReportBlockLayout, 11> kReportBlockLayouts = {
    BeaconLayout(1, "Beacon 1", 1),
    BeaconLayout(2, "Beacon 2", 0),
    BeaconLayout(3, "Beacon 3", 0),
    BeaconLayout(4, "Beacon 4", 0),
    BeaconLayout(5, "Beacon 5", 0),
    BeaconLayout(6, "Beacon 6", 0),
    BeaconLayout(7, "Beacon 7", 0),
    BeaconLayout(8, "Beacon 8", 0),
    ReportBlockLayout{.messageLabel = "Weather report",
                      .dest = 53,
                      .path = 61,
                      .bign = 67,
                      .smalln = 68,
                      .txRateRf = 72,
                      .txRateAprsIs = 76,
                      .toRf = 113,
                      .toAprsIs = 114,
                      .defaultDest = 1},
    ReportBlockLayout{.messageLabel = "Telemeetry data",
                      .dest = 1269,
                      .path = 1277,
                      .bign = 1283,
                      .smalln = 1284,
                      .txRateRf = 1288,
                      .txRateAprsIs = 1292,
                      .toRf = 1285,
                      .toAprsIs = 1286,
                      .defaultDest = 1},
    ReportBlockLayout{.messageLabel = "Telemeetry parameters",
                      .dest = 1296,
                      .path = 1304,
                      .bign = 1310,
                      .smalln = 1311,
                      .txRateRf = 1316,
                      .txRateAprsIs = 1320,
                      .toRf = 1312,
                      .toAprsIs = 1313,
                      .defaultDest = 1},
};

constexpr const ReportBlockLayout& LayoutOf(ReportBlockInstance instance) {
  return kReportBlockLayouts[static_cast<std::size_t>(instance)];
}

// The start-up state of an instance: the shared defaults with its own Dest.
inline ReportBlockSettings DefaultReportBlock(ReportBlockInstance instance) {
  ReportBlockSettings settings;
  settings.dest = LayoutOf(instance).defaultDest;
  return settings;
}

}  // namespace vardex
