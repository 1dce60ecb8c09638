#pragma once

// Each section's encode and decode on its own settings, for tests that look
// at one section at a time. The program encodes and decodes whole settings
// through the field table (field_codec.h).

#include <string>
#include <string_view>

#include "access_settings.h"
#include "aprs_is_settings.h"
#include "beacon_settings.h"
#include "clock_settings.h"
#include "config_image.h"
#include "digipeater_settings.h"
#include "network_settings.h"
#include "radio_settings.h"
#include "report_block.h"
#include "step_result.h"
#include "telemetry_settings.h"
#include "weather_settings.h"

namespace vardex {

StepResult EncodeRadioSettings(const RadioSettings& settings, ConfigImage& image);
void DecodeRadioSettings(const ConfigImage& image, RadioSettings& settings);

StepResult EncodeDigipeaterSettings(const DigipeaterSettings& settings, ConfigImage& image);
void DecodeDigipeaterSettings(const ConfigImage& image, DigipeaterSettings& settings);

// Beacon by beacon: its block, then its message, so a bad message of beacon 3
// is reported after beacon 3's block and before anything of beacon 4.
StepResult EncodeBeaconSettings(const BeaconSettings& settings, ConfigImage& image);
void DecodeBeaconSettings(const ConfigImage& image, BeaconSettings& settings);

// Checks address, mask, gateway, DNS (the order of the page) but stores them
// as address, gateway, mask, DNS (the order the device expects).
StepResult EncodeNetworkSettings(const NetworkSettings& settings, ConfigImage& image);
void DecodeNetworkSettings(const ConfigImage& image, NetworkSettings& settings);

// Only the ports are checked; an empty port box is stored as 0.
StepResult EncodeAprsIsSettings(const AprsIsSettings& settings, ConfigImage& image);
void DecodeAprsIsSettings(const ConfigImage& image, AprsIsSettings& settings);

// Station type (never rejected), the weather report block, then the comment.
StepResult EncodeWeatherSettings(const WeatherSettings& settings, ConfigImage& image);
void DecodeWeatherSettings(const ConfigImage& image, WeatherSettings& settings);

// Stores the five clock set values (not range-checked: the device takes them
// as given), then the NTP switch and server.
StepResult EncodeClockSettings(const ClockSettings& settings, ConfigImage& image);
// Restores only the NTP switch and server: the device does not give back the
// clock set values, and the upload option is the PC's own choice.
void DecodeClockSettings(const ConfigImage& image, ClockSettings& settings);
// The five clock set values as stored, as decimal texts.
void DecodeClockSetValues(const ConfigImage& image, ClockSettings& settings);

// Stores both services; the web service also gets its HTTP Basic token
// (Base64 of "user:password"). A negative port is refused rather than being
// stored as its low 16 bits.
StepResult EncodeAccessSettings(const AccessSettings& settings, ConfigImage& image);
// The token is not read back: the next write computes it again.
void DecodeAccessSettings(const ConfigImage& image, AccessSettings& settings);

// Nothing on this part of the page is checked; it always succeeds.
StepResult EncodeTelemetryChannels(const TelemetrySettings& settings, ConfigImage& image);
void DecodeTelemetryChannels(const ConfigImage& image, TelemetrySettings& settings);

// Writes each field before checking it; stops at the first failed check.
StepResult EncodeReportBlock(const ReportBlockLayout& layout, const ReportBlockSettings& settings,
                             ConfigImage& image);
// Shows the stored values unchecked. A stored dest that is neither entry
// leaves `settings.dest` as it was.
void DecodeReportBlock(const ConfigImage& image, const ReportBlockLayout& layout,
                       ReportBlockSettings& settings);

// Free texts admit only codes 32 to 126; a character outside Latin-1 fails
// too. An empty text passes.
StepResult CheckPrintableText(const std::string& utf8, std::string_view failureMessage);

}  // namespace vardex
