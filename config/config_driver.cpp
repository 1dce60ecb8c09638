#include "config_driver.h"

#include <array>

namespace vardex {
namespace {

using EncodeStep = StepResult (*)(const ConfigSettings&, ConfigImage&);
using DecodeStep = void (*)(const ConfigImage&, ConfigSettings&);

struct SectionSteps {
  EncodeStep encode;
  DecodeStep decode;
};

// A section's two steps over its member of the settings.
template <auto Member, auto Encode, auto Decode>
constexpr SectionSteps Section() {
  return {[](const ConfigSettings& s, ConfigImage& image) { return Encode(s.*Member, image); },
          [](const ConfigImage& image, ConfigSettings& s) { Decode(image, s.*Member); }};
}

// A report block that stands as a section of its own.
template <auto Member, ReportBlockInstance Instance>
constexpr SectionSteps ReportBlockSection() {
  return {[](const ConfigSettings& s, ConfigImage& image) {
            return EncodeReportBlock(LayoutOf(Instance), s.*Member, image);
          },
          [](const ConfigImage& image, ConfigSettings& s) {
            DecodeReportBlock(image, LayoutOf(Instance), s.*Member);
          }};
}

// The fixed order of the pages' steps. A new section adds one row here.
constexpr std::array kSections = {
    Section<&ConfigSettings::radio, EncodeRadioSettings, DecodeRadioSettings>(),
    Section<&ConfigSettings::digipeater, EncodeDigipeaterSettings, DecodeDigipeaterSettings>(),
    // Beacons 1 to 8, each: report block, then message.
    Section<&ConfigSettings::beacons, EncodeBeaconSettings, DecodeBeaconSettings>(),
    Section<&ConfigSettings::network, EncodeNetworkSettings, DecodeNetworkSettings>(),
    Section<&ConfigSettings::aprsIs, EncodeAprsIsSettings, DecodeAprsIsSettings>(),
    // Weather: station type, report block, comment.
    Section<&ConfigSettings::weather, EncodeWeatherSettings, DecodeWeatherSettings>(),
    // Clock set values, then NTP; the clock values are not decoded.
    Section<&ConfigSettings::clock, EncodeClockSettings, DecodeClockSettings>(),
    // WWW access, then Telnet access.
    Section<&ConfigSettings::access, EncodeAccessSettings, DecodeAccessSettings>(),
    // Telemetry module: support switch and channels 1 to 5.
    Section<&ConfigSettings::telemetry, EncodeTelemetryChannels, DecodeTelemetryChannels>(),
    // The telemetry data block, then the telemetry parameters block, last.
    ReportBlockSection<&ConfigSettings::telemetryData, ReportBlockInstance::kTelemetryData>(),
    ReportBlockSection<&ConfigSettings::telemetryParameters,
                       ReportBlockInstance::kTelemetryParameters>(),
};

}  // namespace

StepResult BuildConfigImage(const ConfigSettings& settings, ConfigImage& image) {
  image.Clear();
  for (const auto& section : kSections) {
    StepResult result = section.encode(settings, image);
    if (!result.Succeeded())
      return result;
  }
  StoreImageChecksum(image);
  return StepResult::Ok();
}

void ShowConfigImage(const ConfigImage& image, ConfigSettings& settings) {
  for (const auto& section : kSections) section.decode(image, settings);
}

}  // namespace vardex
