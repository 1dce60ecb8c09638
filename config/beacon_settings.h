#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "report_block.h"

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

}  // namespace vardex
