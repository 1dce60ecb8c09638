#pragma once

// Complete images for tests: the start-up image written out field by field
// from the device's field tables, and settings that differ on every page.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config_image.h"
#include "config_settings.h"

namespace vardex::testing {

struct Row {
  std::size_t offset;
  std::vector<std::uint8_t> bytes;
};

inline Row Bytes(std::size_t offset, std::vector<std::uint8_t> bytes) {
  return {offset, std::move(bytes)};
}

// A text field: its characters, then zeros to the field's width.
inline Row Text(std::size_t offset, std::size_t width, std::string_view text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.resize(width, 0);
  return {offset, bytes};
}

inline const std::vector<std::uint8_t> kRate5 = {0x05, 0x00, 0x00, 0x00};
inline const std::vector<std::uint8_t> kPort14580 = {0xF4, 0x38, 0x00, 0x00};

struct BeaconRow {
  std::size_t dest, path, bign, smalln, rateRf, rateIs, message, switchRf, switchIs;
  std::string_view destText;
  std::string_view messageText;
};

// Beacon k starts at 340 + 92 * (k - 1).
inline constexpr std::array<BeaconRow, 8> kBeacons = {{
    {340, 348, 354, 355, 356, 360, 364, 429, 430, "APVDX10", "@<date>z<lat>/<long>-VARDEX Test."},
    {432, 440, 446, 447, 448, 452, 456, 521, 522, "BEACON0", ""},
    {524, 532, 538, 539, 540, 544, 548, 613, 614, "BEACON0", ""},
    {616, 624, 630, 631, 632, 636, 640, 705, 706, "BEACON0", ""},
    {708, 716, 722, 723, 724, 728, 732, 797, 798, "BEACON0", ""},
    {800, 808, 814, 815, 816, 820, 824, 889, 890, "BEACON0", ""},
    {892, 900, 906, 907, 908, 912, 916, 981, 982, "BEACON0", ""},
    {984, 992, 998, 999, 1000, 1004, 1008, 1073, 1074, "BEACON0", ""},
}};

struct ChannelRow {
  std::size_t entry;
  std::uint8_t source;
  std::string_view name, units, a, b, c;
};

inline constexpr std::array<ChannelRow, 5> kChannels = {{
    {1324, 1, "I1", "mA", "0", "19.5", "0"},
    {1369, 4, "I2", "mA", "0", "19.5", "0"},
    {1414, 7, "U1", "Volt", "0", "0.1", "0"},
    {1459, 8, "U2", "Volt", "0", "0.1", "0"},
    {1504, 9, "Temp", "C", "0", "0.5", "-64"},
}};

// Every field of the image built from the start-up state on 2026-03-07 at
// 09:05 local time.
inline std::vector<Row> StartUpFields() {
  std::vector<Row> rows = {
      // Radio
      Text(4, 8, "NOCALL0"),                // callsign padded to six, SSID 0 as "0", zero
      Bytes(12, {0xFA, 0x00, 0x00, 0x00}),  // TX delay 250
      Bytes(16, {0x90, 0x01, 0x00, 0x00}),  // quiet time 400
      Text(28, 9, "5221.60N"),
      Text(37, 10, "01653.63E"),
      Bytes(47, {0x00}),  // PTT "separate output"
      Bytes(48, {0x00}),  // "analog signal level"
      // Digipeater
      Bytes(20, {0x01, 0x00, 0x00, 0x00}),
      Bytes(24, {0x3C, 0x00, 0x00, 0x00}),  // duplicate checking 60 s
      Bytes(1076, {0x57, 0x49, 0x44, 0x45, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x01, 0x01}),
      Bytes(1088, {0x53, 0x50, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x01}),
      Bytes(1100, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x00}),
      Bytes(1112, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x00}),
      Bytes(1124, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x00}),
      Bytes(1136, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x00}),
      Bytes(1148, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x00}),
      Bytes(1160, {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x07, 0x00, 0x00}),
      // Network: address, gateway, mask, DNS
      Bytes(301, {192, 168, 2, 2, 192, 168, 2, 1, 255, 255, 255, 0, 192, 168, 2, 1}),
      // APRS-IS
      Text(116, 17, "nocall"),
      Text(133, 17, "40917"),
      Bytes(152, {0x01, 0x00, 0x00, 0x00}),
      Bytes(156, {0x01, 0x00, 0x00, 0x00}),
      Text(160, 32, "euro.aprs2.net"),
      Bytes(192, kPort14580),
      Text(196, 32, ""),
      Bytes(228, kPort14580),
      Text(232, 32, ""),
      Bytes(264, kPort14580),
      // Weather
      Bytes(52, {0x05}),  // "WS-2300"
      Text(53, 8, "APVDX10"),
      Text(61, 6, "WIDE"),
      Bytes(67, {0x02}),
      Bytes(68, {0x02}),
      Bytes(72, kRate5),
      Bytes(76, kRate5),
      Text(80, 33, "Vardex weather"),
      Bytes(113, {0x01}),
      Bytes(114, {0x01}),
      // Clock set values: 2026, 3, 7, 9, 5
      Bytes(320, {0xEA, 0x07, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x07, 0x00,
                  0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00}),
      // NTP
      Bytes(268, {0x01}),
      Text(269, 32, "pool.ntp.org"),
      // WWW and Telnet access
      Text(1172, 13, "admin"),
      Text(1185, 13, "kibzo"),
      Text(1198, 40, "YWRtaW46a2liem8="),  // Base64 of "admin:kibzo"
      Bytes(1238, {0x50, 0x00}),           // 80
      Text(1240, 13, "admin"),
      Text(1253, 13, "kibzo"),
      Bytes(1266, {0x17, 0x00}),  // 23
      // Telemetry module switch, then the telemetry data and parameters blocks
      Bytes(1268, {0x00}),
      Text(1269, 8, "APVDX10"),
      Text(1277, 6, "WIDE"),
      Bytes(1283, {0x02}),
      Bytes(1284, {0x02}),
      Bytes(1285, {0x01}),
      Bytes(1286, {0x01}),
      Bytes(1288, kRate5),
      Bytes(1292, kRate5),
      Text(1296, 8, "APVDX10"),
      Text(1304, 6, "WIDE"),
      Bytes(1310, {0x02}),
      Bytes(1311, {0x02}),
      Bytes(1312, {0x01}),
      Bytes(1313, {0x01}),
      Bytes(1316, kRate5),
      Bytes(1320, kRate5),
  };
  for (const BeaconRow& b : kBeacons) {
    rows.push_back(Text(b.dest, 8, b.destText));
    rows.push_back(Text(b.path, 6, "WIDE"));
    rows.push_back(Bytes(b.bign, {0x02}));
    rows.push_back(Bytes(b.smalln, {0x02}));
    rows.push_back(Bytes(b.rateRf, kRate5));
    rows.push_back(Bytes(b.rateIs, kRate5));
    rows.push_back(Text(b.message, 65, b.messageText));
    rows.push_back(Bytes(b.switchRf, {0x01}));
    rows.push_back(Bytes(b.switchIs, {0x01}));
  }
  for (const ChannelRow& c : kChannels) {
    rows.push_back(Bytes(c.entry, {c.source}));
    rows.push_back(Text(c.entry + 1, 8, c.name));
    rows.push_back(Text(c.entry + 9, 8, c.units));
    rows.push_back(Text(c.entry + 17, 9, c.a));
    rows.push_back(Text(c.entry + 26, 9, c.b));
    rows.push_back(Text(c.entry + 35, 9, c.c));
    rows.push_back(Bytes(c.entry + 44, {0x00}));  // 1 min average "Off"
  }
  return rows;
}

// Bytes inside the fields' span that no field owns.
inline const std::vector<std::size_t> kUnownedBytes = {49,  50,  51,  69,   70,   71,   115, 150,
                                                       151, 317, 318, 319,  431,  523,  615, 707,
                                                       799, 891, 983, 1075, 1287, 1314, 1315};

inline std::array<std::uint8_t, ConfigImage::kSize> ExpectedStartUpImage() {
  std::array<std::uint8_t, ConfigImage::kSize> expected{};
  for (const Row& row : StartUpFields()) {
    for (std::size_t i = 0; i < row.bytes.size(); ++i) expected[row.offset + i] = row.bytes[i];
  }
  std::uint32_t sum = 0;
  for (std::size_t i = 4; i <= 1551; ++i) sum += expected[i];
  for (std::size_t i = 0; i < 4; ++i) expected[i] = static_cast<std::uint8_t>(sum >> (8 * i));
  return expected;
}

// Settings that differ from the start-up state on every page, all valid.
// Its clock texts are 2030, 12, 31, 23, 59, with "Upload PC system time" off.
inline ConfigSettings VariedSettings() {
  ConfigSettings s;
  s.radio = {"ab1cd", "12", "1000", "3000", 1, -1, "9999.99S", "17959.99W"};
  s.digipeater.digipeaterOn = false;
  s.digipeater.duplicateChecking = "180";
  s.digipeater.paths[0].traceable = -1;
  s.digipeater.paths[2] = {"RELAY", "5", "2", 1, true};
  s.beacons.beacons[1].block = {1, "", "7", "7", "1440", "5", false, true};
  s.beacons.beacons[1].message = std::string(64, '~');
  s.beacons.beacons[7].message = "   ";
  s.network.address = {"10", "0", "0", "7"};
  s.network.mask = {"255", "255", "0", "0"};
  s.network.gateway = {"10", "0", "0", "1"};
  s.network.dns = {"8", "8", "4", "4"};
  s.aprsIs.servers[0] = {std::string(31, 's'), "65535"};
  s.aprsIs.servers[1] = {"second.example", ""};
  s.aprsIs.servers[2] = {"", "0"};
  s.aprsIs.user = std::string(16, 'u');
  s.aprsIs.password = "";
  s.aprsIs.gateRfToAprsIs = false;
  s.weather.stationType = -1;
  s.weather.report = {0, "TRACE", "3", "1", "999", "1440", false, false};
  s.weather.comment = std::string(32, 'c');
  s.clock = {false, "2030", "12", "31", "23", "59", false, std::string(31, 'n')};
  s.access.www = {"abcdefghijkl", "mnopqrstuvwx", "8080"};
  s.access.telnet = {"root", "", "65535"};
  s.telemetry.moduleSupport = 1;
  s.telemetry.channels[1] = {-1, "ABCDEFG", "units12", "12345678", "x", "", 1};
  s.telemetry.channels[4] = {10, "A", "", "-", "-", "-", -1};
  s.telemetryData = {0, "", "1", "1", "1440", "999", false, true};
  s.telemetryParameters = {0, "P", "7", "6", "6", "7", true, false};
  return s;
}

}  // namespace vardex::testing
