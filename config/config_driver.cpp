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

// The fixed order of the pages' steps. A new section adds one row here.
constexpr std::array kSections = {
    SectionSteps{
        [](const ConfigSettings& s, ConfigImage& image) {
          return EncodeRadioSettings(s.radio, image);
        },
        [](const ConfigImage& image, ConfigSettings& s) { DecodeRadioSettings(image, s.radio); }},
    // Digipeater
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeDigipeaterSettings(s.digipeater, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeDigipeaterSettings(image, s.digipeater);
                 }},
    // Beacons 1 to 8, each: report block, then message
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeBeaconSettings(s.beacons, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeBeaconSettings(image, s.beacons);
                 }},
    // Network
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeNetworkSettings(s.network, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeNetworkSettings(image, s.network);
                 }},
    // APRS-IS
    SectionSteps{
        [](const ConfigSettings& s, ConfigImage& image) {
          return EncodeAprsIsSettings(s.aprsIs, image);
        },
        [](const ConfigImage& image, ConfigSettings& s) { DecodeAprsIsSettings(image, s.aprsIs); }},
    // Weather: station type, report block, comment
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeWeatherSettings(s.weather, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeWeatherSettings(image, s.weather);
                 }},
    // Clock set values, then NTP
    SectionSteps{
        [](const ConfigSettings& s, ConfigImage& image) {
          return EncodeClockSettings(s.clock, image);
        },
        [](const ConfigImage& image, ConfigSettings& s) { DecodeClockSettings(image, s.clock); }},
    // WWW access, Telnet access
    SectionSteps{
        [](const ConfigSettings& s, ConfigImage& image) {
          return EncodeAccessSettings(s.access, image);
        },
        [](const ConfigImage& image, ConfigSettings& s) { DecodeAccessSettings(image, s.access); }},
    // Telemetry module: support switch and channels 1 to 5
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeTelemetryChannels(s.telemetry, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeTelemetryChannels(image, s.telemetry);
                 }},
    // Telemetry data block, then telemetry parameters block
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeReportBlock(LayoutOf(ReportBlockInstance::kTelemetryData),
                                            s.telemetryData, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeReportBlock(image, LayoutOf(ReportBlockInstance::kTelemetryData),
                                     s.telemetryData);
                 }},
    SectionSteps{[](const ConfigSettings& s, ConfigImage& image) {
                   return EncodeReportBlock(LayoutOf(ReportBlockInstance::kTelemetryParameters),
                                            s.telemetryParameters, image);
                 },
                 [](const ConfigImage& image, ConfigSettings& s) {
                   DecodeReportBlock(image, LayoutOf(ReportBlockInstance::kTelemetryParameters),
                                     s.telemetryParameters);
                 }},
};

}  // namespace

StepResult BuildConfigImage(const ConfigSettings& settings, ConfigImage& image) {
  image.Clear();
  for (const auto& section : kSections) {
    StepResult result = section.encode(settings, image);
    if (!result.ok())
      return result;
  }
  StoreImageChecksum(image);
  return StepResult::Ok();
}

void ShowConfigImage(const ConfigImage& image, ConfigSettings& settings) {
  for (const auto& section : kSections) section.decode(image, settings);
}

}  // namespace vardex
