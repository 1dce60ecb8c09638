#pragma once

#include <array>
#include <string>
#include <string_view>

#include "report_block.h"

namespace vardex {

// The weather station types; the stored byte is the index.
inline constexpr std::array<std::string_view, 11> kWeatherStationTypes = {
    "None",
    "Peet Bros Ultimeter 100",
    "Peet Bros Ultimeter 800",
    "Peet Bros Ultimeter 2000",
    "Peet Bros Ultimeter 2100",
    "WS-2300",
    "WS-2350",
    "Davis Vantage Pro",
    "Davis Vantage Pro2",
    "Davis Vantage Pro Plus",
    "Davis Vantage Pro2 Plus",
};

inline constexpr std::size_t kWeatherCommentLength = 32;  // characters, without the zero byte

// The "Weather" page, initialised to the start-up state.
struct WeatherSettings {
  int stationType = 5;  // "WS-2300"; -1 when nothing is selected
  ReportBlockSettings report = DefaultReportBlock(ReportBlockInstance::kWeatherReport);
  std::string comment = "Vardex weather";
};

}  // namespace vardex
