#include "config_driver.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(BuildConfigImage, StartUpStateHasItsChecksumAndZerosAfterTheCoveredSpan) {
  ConfigImage image;
  image.bytes.fill(0xAA);  // every build starts from a cleared image
  ASSERT_TRUE(BuildConfigImage(ConfigSettings{}, image).Succeeded());
  std::uint32_t sum = 0;
  for (int i = 4; i <= 1551; ++i) sum += image.bytes[i];
  const std::uint32_t stored = image.bytes[0] | (image.bytes[1] << 8) | (image.bytes[2] << 16) |
                               (static_cast<std::uint32_t>(image.bytes[3]) << 24);
  EXPECT_EQ(stored, sum);
  for (int i = 1549; i <= 2047; ++i) EXPECT_EQ(image.bytes[i], 0) << "offset " << i;
  EXPECT_EQ(image.bytes[49], 0);
  EXPECT_EQ(image.bytes[50], 0);
  EXPECT_EQ(image.bytes[51], 0);
}

TEST(BuildConfigImage, FirstFailureEndsTheBuildWithoutChecksum) {
  ConfigSettings settings;
  settings.radio.quietTime = "1";
  settings.radio.latitude = "bad";
  ConfigImage image;
  const StepResult result = BuildConfigImage(settings, image);
  EXPECT_EQ(result.text, "Quiet time - range error (200 - 3000).");
  EXPECT_EQ(image.bytes[0], 0);
  EXPECT_EQ(image.bytes[1], 0);
  EXPECT_EQ(image.bytes[28], 0) << "fields after the failure are not stored";
  EXPECT_EQ(image.bytes[4], 'N') << "fields before it are";
}

// One invalid field per section, in the order the write must check them.
struct SectionFailure {
  void (*breakField)(ConfigSettings&);
  StepResult::Kind kind;
  const char* text;
};

const SectionFailure kFailuresInOrder[] = {
    {[](ConfigSettings& s) { s.radio.callsign = ""; }, StepResult::Kind::kInvalid,
     "Callsign - too short (ex. NOCALL-4)."},
    {[](ConfigSettings& s) { s.digipeater.duplicateChecking = "14"; }, StepResult::Kind::kInvalid,
     "Antiflood timeout - range error (15 - 180)."},
    {[](ConfigSettings& s) { s.beacons.beacons[7].block.txRateRf = "4"; },
     StepResult::Kind::kInvalid, "Beacon 8 tx rate (RF) range error (5 - 1440)."},
    {[](ConfigSettings& s) { s.network.dns[3] = "256"; }, StepResult::Kind::kInvalid,
     "DNS - range error (0 - 255)."},
    {[](ConfigSettings& s) { s.aprsIs.servers[0].port = "65536"; }, StepResult::Kind::kInvalid,
     "APRS-IS Server 1 Port - range error (0 - 65535)."},
    {[](ConfigSettings& s) { s.weather.report.txRateAprsIs = "1441"; }, StepResult::Kind::kInvalid,
     "Weather report tx rate (APRSIS) range error (5 - 1440)."},
    {[](ConfigSettings& s) { s.clock.year = "year"; }, StepResult::Kind::kNotAnInteger, "year"},
    {[](ConfigSettings& s) { s.access.telnet.port = "-1"; }, StepResult::Kind::kInvalid,
     "Telnet port - range error (0 - 65535)."},
    {[](ConfigSettings& s) { s.telemetryData.bign = "8"; }, StepResult::Kind::kInvalid,
     "Telemeetry data path, N value range error (1 - 7)."},
    {[](ConfigSettings& s) { s.telemetryParameters.smalln = "0"; }, StepResult::Kind::kInvalid,
     "Telemeetry parameters path, n value range error (1 - 7)."},
};

TEST(BuildConfigImage, SectionsAreCheckedInTheirFixedOrder) {
  // With every failure from the k-th on in place, the k-th is the one shown.
  const std::size_t count = std::size(kFailuresInOrder);
  for (std::size_t first = 0; first < count; ++first) {
    ConfigSettings settings;
    for (std::size_t k = first; k < count; ++k) kFailuresInOrder[k].breakField(settings);
    ConfigImage image;
    const StepResult result = BuildConfigImage(settings, image);
    EXPECT_EQ(result.kind, kFailuresInOrder[first].kind) << "failure " << first;
    EXPECT_EQ(result.text, kFailuresInOrder[first].text) << "failure " << first;
  }
}

// A failure names the member of the settings it came from.
struct FieldFailure {
  void (*breakField)(ConfigSettings&);
  const void* (*member)(const ConfigSettings&);
};

const FieldFailure kFieldFailures[] = {
    {[](ConfigSettings& s) { s.radio.callsign = ""; },
     [](const ConfigSettings& s) -> const void* { return &s.radio.callsign; }},
    {[](ConfigSettings& s) { s.radio.ssid = "16"; },
     [](const ConfigSettings& s) -> const void* { return &s.radio.ssid; }},
    {[](ConfigSettings& s) { s.radio.ssid = "x"; },
     [](const ConfigSettings& s) -> const void* { return &s.radio.ssid; }},
    {[](ConfigSettings& s) { s.radio.quietTime = ""; },
     [](const ConfigSettings& s) -> const void* { return &s.radio.quietTime; }},
    {[](ConfigSettings& s) { s.radio.longitude = "01653.63X"; },
     [](const ConfigSettings& s) -> const void* { return &s.radio.longitude; }},
    {[](ConfigSettings& s) { s.digipeater.paths[2].higher = "8"; },
     [](const ConfigSettings& s) -> const void* { return &s.digipeater.paths[2].higher; }},
    {[](ConfigSettings& s) { s.beacons.beacons[4].message = "tab\there"; },
     [](const ConfigSettings& s) -> const void* { return &s.beacons.beacons[4].message; }},
    {[](ConfigSettings& s) {
       s.beacons.beacons[1].block.smalln = "2";
       s.beacons.beacons[1].block.bign = "3";
     },
     [](const ConfigSettings& s) -> const void* { return &s.beacons.beacons[1].block.smalln; }},
    {[](ConfigSettings& s) { s.network.mask[1] = "256"; },
     [](const ConfigSettings& s) -> const void* { return &s.network.mask[1]; }},
    {[](ConfigSettings& s) { s.aprsIs.servers[2].port = "65536"; },
     [](const ConfigSettings& s) -> const void* { return &s.aprsIs.servers[2].port; }},
    {[](ConfigSettings& s) { s.weather.comment = "\x7f"; },
     [](const ConfigSettings& s) -> const void* { return &s.weather.comment; }},
    {[](ConfigSettings& s) { s.clock.minute = "6O"; },
     [](const ConfigSettings& s) -> const void* { return &s.clock.minute; }},
    {[](ConfigSettings& s) { s.access.www.port = "65536"; },
     [](const ConfigSettings& s) -> const void* { return &s.access.www.port; }},
    {[](ConfigSettings& s) { s.telemetryParameters.txRateAprsIs = "4"; },
     [](const ConfigSettings& s) -> const void* { return &s.telemetryParameters.txRateAprsIs; }},
};

TEST(BuildConfigImage, NamesTheSettingThatFailed) {
  for (std::size_t k = 0; k < std::size(kFieldFailures); ++k) {
    ConfigSettings settings;
    kFieldFailures[k].breakField(settings);
    ConfigImage image;
    const StepResult result = BuildConfigImage(settings, image);
    EXPECT_FALSE(result.Succeeded()) << "failure " << k;
    EXPECT_EQ(result.field, kFieldFailures[k].member(settings)) << "failure " << k;
  }
  ConfigImage image;
  EXPECT_EQ(BuildConfigImage(ConfigSettings{}, image).field, nullptr);
}

TEST(ShowConfigImage, RoundTripOfABuiltImage) {
  ConfigSettings settings;
  settings.radio.callsign = "SQ7X";
  settings.radio.ssid = "$F";
  settings.radio.busyDetect = 1;
  ConfigImage image;
  ASSERT_TRUE(BuildConfigImage(settings, image).Succeeded());
  ConfigSettings decoded;
  ShowConfigImage(image, decoded);
  ConfigImage again;
  ASSERT_TRUE(BuildConfigImage(decoded, again).Succeeded());
  EXPECT_EQ(again.bytes, image.bytes);
  EXPECT_EQ(decoded.radio.ssid, "15");
  EXPECT_EQ(decoded.radio.callsign, "SQ7X  ");
}

}  // namespace
}  // namespace vardex
