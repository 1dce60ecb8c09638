#include "section_steps.h"

namespace vardex {

StepResult EncodeSection(ImageSection section, const ConfigSettings& s, ConfigImage& image) {
  switch (section) {
    case ImageSection::kRadio:
      return EncodeRadioSettings(s.radio, image);
    case ImageSection::kDigipeater:
      return EncodeDigipeaterSettings(s.digipeater, image);
    case ImageSection::kBeacons:
      return EncodeBeaconSettings(s.beacons, image);
    case ImageSection::kNetwork:
      return EncodeNetworkSettings(s.network, image);
    case ImageSection::kAprsIs:
      return EncodeAprsIsSettings(s.aprsIs, image);
    case ImageSection::kWeather:
      return EncodeWeatherSettings(s.weather, image);
    case ImageSection::kClock:
      return EncodeClockSettings(s.clock, image);
    case ImageSection::kAccess:
      return EncodeAccessSettings(s.access, image);
    case ImageSection::kTelemetry:
      return EncodeTelemetryChannels(s.telemetry, image);
    case ImageSection::kTelemetryData:
      return EncodeReportBlock(LayoutOf(ReportBlockInstance::kTelemetryData), s.telemetryData,
                               image);
    case ImageSection::kTelemetryParameters:
      return EncodeReportBlock(LayoutOf(ReportBlockInstance::kTelemetryParameters),
                               s.telemetryParameters, image);
  }
  return StepResult::Invalid("no such section");
}

void DecodeSection(ImageSection section, const ConfigImage& image, ConfigSettings& s) {
  switch (section) {
    case ImageSection::kRadio:
      return DecodeRadioSettings(image, s.radio);
    case ImageSection::kDigipeater:
      return DecodeDigipeaterSettings(image, s.digipeater);
    case ImageSection::kBeacons:
      return DecodeBeaconSettings(image, s.beacons);
    case ImageSection::kNetwork:
      return DecodeNetworkSettings(image, s.network);
    case ImageSection::kAprsIs:
      return DecodeAprsIsSettings(image, s.aprsIs);
    case ImageSection::kWeather:
      return DecodeWeatherSettings(image, s.weather);
    case ImageSection::kClock:
      return DecodeClockSettings(image, s.clock);
    case ImageSection::kAccess:
      return DecodeAccessSettings(image, s.access);
    case ImageSection::kTelemetry:
      return DecodeTelemetryChannels(image, s.telemetry);
    case ImageSection::kTelemetryData:
      return DecodeReportBlock(image, LayoutOf(ReportBlockInstance::kTelemetryData),
                               s.telemetryData);
    case ImageSection::kTelemetryParameters:
      return DecodeReportBlock(image, LayoutOf(ReportBlockInstance::kTelemetryParameters),
                               s.telemetryParameters);
  }
}

void CopySection(ImageSection section, const ConfigSettings& from, ConfigSettings& to) {
  switch (section) {
    case ImageSection::kRadio:
      to.radio = from.radio;
      break;
    case ImageSection::kDigipeater:
      to.digipeater = from.digipeater;
      break;
    case ImageSection::kBeacons:
      to.beacons = from.beacons;
      break;
    case ImageSection::kNetwork:
      to.network = from.network;
      break;
    case ImageSection::kAprsIs:
      to.aprsIs = from.aprsIs;
      break;
    case ImageSection::kWeather:
      to.weather = from.weather;
      break;
    case ImageSection::kClock:
      to.clock = from.clock;
      break;
    case ImageSection::kAccess:
      to.access = from.access;
      break;
    case ImageSection::kTelemetry:
      to.telemetry = from.telemetry;
      break;
    case ImageSection::kTelemetryData:
      to.telemetryData = from.telemetryData;
      break;
    case ImageSection::kTelemetryParameters:
      to.telemetryParameters = from.telemetryParameters;
      break;
  }
}

}  // namespace vardex
