// The sections' own steps, for callers that hold one section's settings.
// Their fields and rules are rows of the image's field table.
#include "access_settings.h"
#include "aprs_is_settings.h"
#include "beacon_settings.h"
#include "clock_settings.h"
#include "digipeater_settings.h"
#include "field_codec.h"
#include "image_text.h"
#include "network_settings.h"
#include "radio_settings.h"
#include "report_block.h"
#include "telemetry_settings.h"
#include "weather_settings.h"

namespace vardex {

StepResult EncodeRadioSettings(const RadioSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kRadio, &ConfigSettings::radio, s, image);
}
void DecodeRadioSettings(const ConfigImage& image, RadioSettings& s) {
  DecodePart(ImageSection::kRadio, &ConfigSettings::radio, image, s);
}

StepResult EncodeDigipeaterSettings(const DigipeaterSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kDigipeater, &ConfigSettings::digipeater, s, image);
}
void DecodeDigipeaterSettings(const ConfigImage& image, DigipeaterSettings& s) {
  DecodePart(ImageSection::kDigipeater, &ConfigSettings::digipeater, image, s);
}

StepResult EncodeBeaconSettings(const BeaconSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kBeacons, &ConfigSettings::beacons, s, image);
}
void DecodeBeaconSettings(const ConfigImage& image, BeaconSettings& s) {
  DecodePart(ImageSection::kBeacons, &ConfigSettings::beacons, image, s);
}

StepResult EncodeNetworkSettings(const NetworkSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kNetwork, &ConfigSettings::network, s, image);
}
void DecodeNetworkSettings(const ConfigImage& image, NetworkSettings& s) {
  DecodePart(ImageSection::kNetwork, &ConfigSettings::network, image, s);
}

StepResult EncodeAprsIsSettings(const AprsIsSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kAprsIs, &ConfigSettings::aprsIs, s, image);
}
void DecodeAprsIsSettings(const ConfigImage& image, AprsIsSettings& s) {
  DecodePart(ImageSection::kAprsIs, &ConfigSettings::aprsIs, image, s);
}

StepResult EncodeWeatherSettings(const WeatherSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kWeather, &ConfigSettings::weather, s, image);
}
void DecodeWeatherSettings(const ConfigImage& image, WeatherSettings& s) {
  DecodePart(ImageSection::kWeather, &ConfigSettings::weather, image, s);
}

StepResult EncodeClockSettings(const ClockSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kClock, &ConfigSettings::clock, s, image);
}
void DecodeClockSettings(const ConfigImage& image, ClockSettings& s) {
  DecodePart(ImageSection::kClock, &ConfigSettings::clock, image, s);
}
void DecodeClockSetValues(const ConfigImage& image, ClockSettings& s) {
  ConfigSettings settings;
  DecodeClockWords(image, settings);
  s.year = settings.clock.year;
  s.month = settings.clock.month;
  s.day = settings.clock.day;
  s.hour = settings.clock.hour;
  s.minute = settings.clock.minute;
}

StepResult EncodeAccessSettings(const AccessSettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kAccess, &ConfigSettings::access, s, image);
}
void DecodeAccessSettings(const ConfigImage& image, AccessSettings& s) {
  DecodePart(ImageSection::kAccess, &ConfigSettings::access, image, s);
}

StepResult EncodeTelemetryChannels(const TelemetrySettings& s, ConfigImage& image) {
  return EncodePart(ImageSection::kTelemetry, &ConfigSettings::telemetry, s, image);
}
void DecodeTelemetryChannels(const ConfigImage& image, TelemetrySettings& s) {
  DecodePart(ImageSection::kTelemetry, &ConfigSettings::telemetry, image, s);
}

namespace {

// The instance whose block lies where `layout` says.
ReportBlockInstance InstanceAt(const ReportBlockLayout& layout) {
  for (std::size_t i = 0; i < kReportBlockLayouts.size(); ++i) {
    if (kReportBlockLayouts[i].dest == layout.dest)
      return static_cast<ReportBlockInstance>(i);
  }
  return ReportBlockInstance::kBeacon1;
}

}  // namespace

StepResult EncodeReportBlock(const ReportBlockLayout& layout, const ReportBlockSettings& s,
                             ConfigImage& image) {
  const ReportBlockInstance instance = InstanceAt(layout);
  ConfigSettings settings;
  ReportBlockOf(settings, instance) = s;
  StepResult result = EncodeFields(ReportBlockFields(instance), settings, image);
  result.field = nullptr;  // it named a member of the copy
  return result;
}

void DecodeReportBlock(const ConfigImage& image, const ReportBlockLayout& layout,
                       ReportBlockSettings& s) {
  const ReportBlockInstance instance = InstanceAt(layout);
  ConfigSettings settings;
  ReportBlockOf(settings, instance) = s;
  DecodeFields(ReportBlockFields(instance), image, settings);
  s = ReportBlockOf(settings, instance);
}

StepResult CheckPrintableText(const std::string& utf8, std::string_view failureMessage) {
  if (IsPrintableAscii(utf8))
    return StepResult::Ok();
  return StepResult::Invalid(std::string(failureMessage)).About(&utf8);
}

}  // namespace vardex
