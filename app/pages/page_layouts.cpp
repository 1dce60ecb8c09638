#include "pages/page_layouts.h"

#include <array>

namespace vardex {

std::span<const PageLayout> PageLayouts() {
  static constexpr std::array<PageLayout, 10> kLayouts = {
      BuildRadioPage,   BuildDigipeaterPage, BuildBeaconsPage, BuildNetworkPage, BuildAprsIsPage,
      BuildWeatherPage, BuildClockPage,      BuildAccessPage,  BuildAccessPage,  BuildTelemetryPage,
  };
  return kLayouts;
}

}  // namespace vardex
