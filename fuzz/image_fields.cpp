#include "image_fields.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vardex {
namespace {

using S = ImageSection;
constexpr FieldKind kValue = FieldKind::kValue;
constexpr FieldKind kText = FieldKind::kText;

// A field inside a record that repeats at several starts.
struct RecordField {
  std::uint16_t offset;
  std::uint16_t width;
  FieldKind kind;
};

// Fields that occur once.
constexpr ImageField kSingleFields[] = {
    // Radio: callsign padded to six, SSID character and its zero, TX delay,
    // quiet time, latitude and longitude with their zeros, PTT, busy detect.
    {4, 8, kText, S::kRadio},
    {12, 4, kValue, S::kRadio},
    {16, 4, kValue, S::kRadio},
    {28, 9, kText, S::kRadio},
    {37, 10, kText, S::kRadio},
    {47, 1, kValue, S::kRadio},
    {48, 1, kValue, S::kRadio},
    // Digipeater on, antiflood time-out.
    {20, 4, kValue, S::kDigipeater},
    {24, 4, kValue, S::kDigipeater},
    // Weather: station type, its report block, comment, switches.
    {52, 1, kValue, S::kWeather},
    {53, 8, kText, S::kWeather},
    {61, 6, kText, S::kWeather},
    {67, 1, kValue, S::kWeather},
    {68, 1, kValue, S::kWeather},
    {72, 4, kValue, S::kWeather},
    {76, 4, kValue, S::kWeather},
    {80, 33, kText, S::kWeather},
    {113, 1, kValue, S::kWeather},
    {114, 1, kValue, S::kWeather},
    // APRS-IS: login, password, the two gateway switches (servers below).
    {116, 17, kText, S::kAprsIs},
    {133, 17, kText, S::kAprsIs},
    {152, 4, kValue, S::kAprsIs},
    {156, 4, kValue, S::kAprsIs},
    // NTP switch and server, then the five clock words.
    {268, 1, kValue, S::kClock},
    {269, 32, kText, S::kClock},
    {320, 4, kValue, S::kClock},
    {324, 4, kValue, S::kClock},
    {328, 4, kValue, S::kClock},
    {332, 4, kValue, S::kClock},
    {336, 4, kValue, S::kClock},
    // Network: sixteen octets, address, gateway, mask, DNS.
    {301, 16, kValue, S::kNetwork},
    // Web user, password, token, port; telnet user, password, port.
    {1172, 13, kText, S::kAccess},
    {1185, 13, kText, S::kAccess},
    {1198, 40, kText, S::kAccess},
    {1238, 2, kValue, S::kAccess},
    {1240, 13, kText, S::kAccess},
    {1253, 13, kText, S::kAccess},
    {1266, 2, kValue, S::kAccess},
    // Telemetry module switch (channels below).
    {1268, 1, kValue, S::kTelemetry},
    // Telemetry data block: dest, path, N, n, RF and IS switches, rates.
    {1269, 8, kText, S::kTelemetryData},
    {1277, 6, kText, S::kTelemetryData},
    {1283, 1, kValue, S::kTelemetryData},
    {1284, 1, kValue, S::kTelemetryData},
    {1285, 1, kValue, S::kTelemetryData},
    {1286, 1, kValue, S::kTelemetryData},
    {1288, 4, kValue, S::kTelemetryData},
    {1292, 4, kValue, S::kTelemetryData},
    // Telemetry parameters block, laid out the same way.
    {1296, 8, kText, S::kTelemetryParameters},
    {1304, 6, kText, S::kTelemetryParameters},
    {1310, 1, kValue, S::kTelemetryParameters},
    {1311, 1, kValue, S::kTelemetryParameters},
    {1312, 1, kValue, S::kTelemetryParameters},
    {1313, 1, kValue, S::kTelemetryParameters},
    {1316, 4, kValue, S::kTelemetryParameters},
    {1320, 4, kValue, S::kTelemetryParameters},
};

// Digipeater paths: name, n>=, n<=, traceable, active.
constexpr std::uint16_t kPathStarts[] = {1076, 1088, 1100, 1112, 1124, 1136, 1148, 1160};
constexpr RecordField kPathFields[] = {
    {0, 8, kText}, {8, 1, kValue}, {9, 1, kValue}, {10, 1, kValue}, {11, 1, kValue},
};

// Beacons: dest, path, N, n, RF rate, IS rate, message, RF and IS switches;
// the last byte of each beacon belongs to no field.
constexpr std::uint16_t kBeaconStarts[] = {340, 432, 524, 616, 708, 800, 892, 984};
constexpr RecordField kBeaconFields[] = {
    {0, 8, kText},   {8, 6, kText},   {14, 1, kValue}, {15, 1, kValue}, {16, 4, kValue},
    {20, 4, kValue}, {24, 65, kText}, {89, 1, kValue}, {90, 1, kValue},
};

// APRS-IS servers: host and port.
constexpr std::uint16_t kServerStarts[] = {160, 196, 232};
constexpr RecordField kServerFields[] = {{0, 32, kText}, {32, 4, kValue}};

// Telemetry channels: source, name, units, coefficients A, B, C, average.
constexpr std::uint16_t kChannelStarts[] = {1324, 1369, 1414, 1459, 1504};
constexpr RecordField kChannelFields[] = {
    {0, 1, kValue}, {1, 8, kText},  {9, 8, kText},   {17, 9, kText},
    {26, 9, kText}, {35, 9, kText}, {44, 1, kValue},
};

template <std::size_t StartCount, std::size_t FieldCount>
void AddRecords(std::vector<ImageField>& fields, const std::uint16_t (&starts)[StartCount],
                const RecordField (&record)[FieldCount], ImageSection section) {
  for (std::uint16_t start : starts) {
    for (const RecordField& f : record) {
      fields.push_back({static_cast<std::uint16_t>(start + f.offset), f.width, f.kind, section});
    }
  }
}

std::vector<ImageField> CollectFields() {
  std::vector<ImageField> fields(std::begin(kSingleFields), std::end(kSingleFields));
  AddRecords(fields, kPathStarts, kPathFields, S::kDigipeater);
  AddRecords(fields, kBeaconStarts, kBeaconFields, S::kBeacons);
  AddRecords(fields, kServerStarts, kServerFields, S::kAprsIs);
  AddRecords(fields, kChannelStarts, kChannelFields, S::kTelemetry);
  return fields;
}

// A byte claimed twice means the table above was copied wrongly; stop at once
// rather than check images against it.
std::array<std::uint8_t, kImageBytes> CollectOwners() {
  std::array<std::uint8_t, kImageBytes> owners{};
  owners.fill(kNoSection);
  for (const ImageField& f : ImageFields()) {
    for (std::size_t i = f.offset; i < std::size_t{f.offset} + f.width; ++i) {
      if (i >= kImageBytes || owners[i] != kNoSection) {
        std::fprintf(stderr, "image field table: byte %zu claimed twice\n", i);
        std::abort();
      }
      owners[i] = static_cast<std::uint8_t>(f.section);
    }
  }
  return owners;
}

}  // namespace

std::span<const ImageField> ImageFields() {
  static const std::vector<ImageField> fields = CollectFields();
  return fields;
}

const std::array<std::uint8_t, kImageBytes>& ImageByteOwners() {
  static const std::array<std::uint8_t, kImageBytes> owners = CollectOwners();
  return owners;
}

}  // namespace vardex
