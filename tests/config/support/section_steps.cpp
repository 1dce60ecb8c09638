// Each section's steps over its own settings, run through the image's field
// table with the rest of the settings at their start-up values.
#include "section_steps.h"

#include "config_settings.h"
#include "field_codec.h"
#include "field_table.h"
#include "image_text.h"

namespace vardex {
namespace {

// A section's step over its part alone (`settings.*member`), the rest of the
// settings at their start-up values. A failure names no member: the
// settings it would point into are gone.
template <typename Part>
StepResult EncodePart(ImageSection section, Part ConfigSettings::*member, const Part& part,
                      ConfigImage& image) {
  ConfigSettings settings;
  settings.*member = part;
  StepResult result = EncodeSection(section, settings, image);
  result.field = nullptr;
  return result;
}

template <typename Part>
void DecodePart(ImageSection section, Part ConfigSettings::*member, const ConfigImage& image,
                Part& part) {
  ConfigSettings settings;
  settings.*member = part;
  DecodeSection(section, image, settings);
  part = settings.*member;
}

}  // namespace

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
