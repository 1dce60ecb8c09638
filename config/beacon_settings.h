#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "config_image.h"
#include "report_block.h"
#include "step_result.h"

namespace vardex {

// One row of the "Beacons" page: its report block and its free text, which
// may hold "<date>", "<lat>" and "<long>" for the device to fill in.
struct Beacon {
  ReportBlockSettings block;
  std::string message;
};

inline constexpr std::size_t kBeaconCount = 8;
inline constexpr std::size_t kBeaconMessageLength = 64;  // characters, without the zero byte

// The "Beacons" page, initialised to the start-up state.
struct BeaconSettings {
  std::array<Beacon, kBeaconCount> beacons = {
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon1),
             "@<date>z<lat>/<long>-VARDEX Test."},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon2), ""},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon3), ""},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon4), ""},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon5), ""},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon6), ""},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon7), ""},
      Beacon{DefaultReportBlock(ReportBlockInstance::kBeacon8), ""},
  };
};

// Beacon by beacon: its block, then its message, so a bad message of beacon 3
// is reported after beacon 3's block and before anything of beacon 4.
StepResult EncodeBeaconSettings(const BeaconSettings& settings, ConfigImage& image);
void DecodeBeaconSettings(const ConfigImage& image, BeaconSettings& settings);

}  // namespace vardex
