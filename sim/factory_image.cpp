#include "factory_image.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vardex::sim {
namespace {

// One field of the image: `width` is what the field owns, so a text always
// leaves room for its zero byte and the bytes after it stay zero.
struct FactoryField {
  std::uint16_t offset;
  std::uint8_t width;
  bool isText;
  std::string_view text;
  std::uint32_t number;  // little-endian over `width` bytes
};

constexpr FactoryField Text(std::uint16_t offset, std::uint8_t width, std::string_view text) {
  return {offset, width, true, text, 0};
}

constexpr FactoryField Num(std::uint16_t offset, std::uint8_t width, std::uint32_t value) {
  return {offset, width, false, {}, value};
}

// Written out field by field, in image order, so that a reader of the table
// and the configurator's decoder can check each other.
// clang-format off
constexpr FactoryField kFactoryFields[] = {
    // Radio: callsign VX1SIM padded to six, SSID 2 as the digit '2'.
    Text(4, 8, "VX1SIM2"),
    Num(12, 4, 300),                // TX delay [ms]
    Num(16, 4, 500),                // quiet time [ms]
    // Digipeater switch and duplicate checking sit between the radio fields.
    Num(20, 4, 1),                  // digipeater on
    Num(24, 4, 30),                 // duplicate checking [s]
    Text(28, 9, "5005.32N"),        // latitude
    Text(37, 10, "01956.18E"),      // longitude
    Num(47, 1, 1),                  // PTT: 2k2 resistor
    Num(48, 1, 1),                  // channel busy: digital detect

    // Weather station and its report.
    Num(52, 1, 7),                  // "Davis Vantage Pro"
    Text(53, 8, "APVDX10"),         // dest
    Text(61, 6, "WIDE"),            // path
    Num(67, 1, 1),                  // N
    Num(68, 1, 1),                  // n
    Num(72, 4, 30),                 // rate to RF [min]
    Num(76, 4, 10),                 // rate to APRS-IS [min]
    Text(80, 33, "VX1SIM weather station"),
    Num(113, 1, 1),                 // to RF
    Num(114, 1, 1),                 // to APRS-IS

    // APRS-IS login, gating and servers.
    Text(116, 17, "VX1SIM"),
    Text(133, 17, "23972"),
    Num(152, 4, 1),                 // gate RF traffic to APRS-IS
    Num(156, 4, 0),                 // gate messages to RF: off
    Text(160, 32, "rotate.aprs2.net"),
    Num(192, 4, 14580),
    Text(196, 32, "euro.aprs2.net"),
    Num(228, 4, 14580),
    Text(232, 32, "noam.aprs2.net"),
    Num(264, 4, 14580),

    // NTP.
    Num(268, 1, 1),                 // use NTP server
    Text(269, 32, "europe.pool.ntp.org"),

    // Network: address, gateway, mask, DNS, one octet a byte.
    Num(301, 1, 192), Num(302, 1, 168), Num(303, 1, 1),   Num(304, 1, 50),
    Num(305, 1, 192), Num(306, 1, 168), Num(307, 1, 1),   Num(308, 1, 1),
    Num(309, 1, 255), Num(310, 1, 255), Num(311, 1, 255), Num(312, 1, 0),
    Num(313, 1, 192), Num(314, 1, 168), Num(315, 1, 1),   Num(316, 1, 1),

    // Clock as last set: 2026-11-30 12:00.
    Num(320, 4, 2026), Num(324, 4, 11), Num(328, 4, 30), Num(332, 4, 12),
    Num(336, 4, 0),

    // Beacons: dest, path, N, n, rate RF, rate IS, message, to RF, to IS.
    Text(340, 8, "APVDX10"), Text(348, 6, "WIDE"), Num(354, 1, 1), Num(355, 1, 2),
    Num(356, 4, 30), Num(360, 4, 10),
    Text(364, 65, "@<date>z<lat>/<long>-VX1SIM VARDEX simulator"),
    Num(429, 1, 1), Num(430, 1, 1),

    Text(432, 8, "BEACON0"), Text(440, 6, "WIDE"), Num(446, 1, 2), Num(447, 1, 2),
    Num(448, 4, 60), Num(452, 4, 30),
    Text(456, 65, ">VARDEX simulator on the air"),
    Num(521, 1, 1), Num(522, 1, 0),

    Text(524, 8, "BEACON0"), Text(532, 6, "WIDE"), Num(538, 1, 2), Num(539, 1, 2),
    Num(540, 4, 10), Num(544, 4, 10), Text(548, 65, ""),
    Num(613, 1, 0), Num(614, 1, 0),

    Text(616, 8, "BEACON0"), Text(624, 6, "WIDE"), Num(630, 1, 2), Num(631, 1, 2),
    Num(632, 4, 10), Num(636, 4, 10), Text(640, 65, ""),
    Num(705, 1, 0), Num(706, 1, 0),

    Text(708, 8, "BEACON0"), Text(716, 6, "WIDE"), Num(722, 1, 2), Num(723, 1, 2),
    Num(724, 4, 10), Num(728, 4, 10), Text(732, 65, ""),
    Num(797, 1, 0), Num(798, 1, 0),

    Text(800, 8, "BEACON0"), Text(808, 6, "WIDE"), Num(814, 1, 2), Num(815, 1, 2),
    Num(816, 4, 10), Num(820, 4, 10), Text(824, 65, ""),
    Num(889, 1, 0), Num(890, 1, 0),

    Text(892, 8, "BEACON0"), Text(900, 6, "WIDE"), Num(906, 1, 2), Num(907, 1, 2),
    Num(908, 4, 10), Num(912, 4, 10), Text(916, 65, ""),
    Num(981, 1, 0), Num(982, 1, 0),

    Text(984, 8, "BEACON0"), Text(992, 6, "WIDE"), Num(998, 1, 2), Num(999, 1, 2),
    Num(1000, 4, 10), Num(1004, 4, 10), Text(1008, 65, ""),
    Num(1073, 1, 0), Num(1074, 1, 0),

    // Digipeater paths: name, n>=, n<=, traceable, active.
    Text(1076, 8, "WIDE"),  Num(1084, 1, 1), Num(1085, 1, 2), Num(1086, 1, 1), Num(1087, 1, 1),
    Text(1088, 8, "SP"),    Num(1096, 1, 1), Num(1097, 1, 3), Num(1098, 1, 0), Num(1099, 1, 1),
    Text(1100, 8, "TRACE"), Num(1108, 1, 1), Num(1109, 1, 3), Num(1110, 1, 1), Num(1111, 1, 0),
    Text(1112, 8, ""),      Num(1120, 1, 1), Num(1121, 1, 7), Num(1122, 1, 0), Num(1123, 1, 0),
    Text(1124, 8, ""),      Num(1132, 1, 1), Num(1133, 1, 7), Num(1134, 1, 0), Num(1135, 1, 0),
    Text(1136, 8, ""),      Num(1144, 1, 1), Num(1145, 1, 7), Num(1146, 1, 0), Num(1147, 1, 0),
    Text(1148, 8, ""),      Num(1156, 1, 1), Num(1157, 1, 7), Num(1158, 1, 0), Num(1159, 1, 0),
    Text(1160, 8, ""),      Num(1168, 1, 1), Num(1169, 1, 7), Num(1170, 1, 0), Num(1171, 1, 0),

    // Web access: user, password, Base64 of "sysop:radio73", port.
    Text(1172, 13, "sysop"),
    Text(1185, 13, "radio73"),
    Text(1198, 40, "c3lzb3A6cmFkaW83Mw=="),
    Num(1238, 2, 8080),
    // Telnet access.
    Text(1240, 13, "sysop"),
    Text(1253, 13, "telnet73"),
    Num(1266, 2, 2323),

    // Telemetry module on.
    Num(1268, 1, 1),
    // Telemetry data block: its switches come before its rates.
    Text(1269, 8, "APVDX10"), Text(1277, 6, "WIDE"), Num(1283, 1, 1), Num(1284, 1, 1),
    Num(1285, 1, 1), Num(1286, 1, 1), Num(1288, 4, 15), Num(1292, 4, 15),
    // Telemetry parameters block.
    Text(1296, 8, "APVDX10"), Text(1304, 6, "WIDE"), Num(1310, 1, 1), Num(1311, 1, 1),
    Num(1312, 1, 0), Num(1313, 1, 1), Num(1316, 4, 120), Num(1320, 4, 120),

    // Telemetry channels: source, name, units, A, B, C, 1 min average.
    Num(1324, 1, 1), Text(1325, 8, "I1"),   Text(1333, 8, "mA"),
    Text(1341, 9, "0"), Text(1350, 9, "19.5"), Text(1359, 9, "0"),   Num(1368, 1, 1),
    Num(1369, 1, 5), Text(1370, 8, "I2"),   Text(1378, 8, "mA"),
    Text(1386, 9, "0"), Text(1395, 9, "9.76"), Text(1404, 9, "0"),   Num(1413, 1, 0),
    Num(1414, 1, 7), Text(1415, 8, "Vbat"), Text(1423, 8, "Volt"),
    Text(1431, 9, "0"), Text(1440, 9, "0.1"),  Text(1449, 9, "0"),   Num(1458, 1, 1),
    Num(1459, 1, 8), Text(1460, 8, "U2"),   Text(1468, 8, "Volt"),
    Text(1476, 9, "0"), Text(1485, 9, "0.1"),  Text(1494, 9, "0"),   Num(1503, 1, 0),
    Num(1504, 1, 9), Text(1505, 8, "Temp"), Text(1513, 8, "C"),
    Text(1521, 9, "0"), Text(1530, 9, "0.5"),  Text(1539, 9, "-64"), Num(1548, 1, 1),
};
// clang-format on

constexpr std::size_t kFirstFieldOffset = 4;  // after the checksum
constexpr std::size_t kFieldsEnd = 1549;      // the last field byte is 1548

constexpr bool FitsItsField(const FactoryField& field) {
  if (field.isText) {
    return field.text.size() < field.width &&
           std::all_of(field.text.begin(), field.text.end(),
                       [](char c) { return c >= 32 && c <= 126; });
  }
  if (field.width == 4)
    return true;
  return (field.width == 1 || field.width == 2) && field.number < (1u << (8 * field.width));
}

// A transcription slip (a row out of order, overlapping the next, or a text
// too long for its zero byte) stops the build instead of the demo.
constexpr bool FieldsAreOrderedAndFit() {
  std::size_t end = kFirstFieldOffset;
  for (const FactoryField& field : kFactoryFields) {
    if (field.offset < end || !FitsItsField(field))
      return false;
    end = field.offset + field.width;
  }
  return end <= kFieldsEnd;
}
static_assert(FieldsAreOrderedAndFit(), "factory image rows overlap or overflow their fields");

}  // namespace

void PutFactorySettings(std::span<std::uint8_t> image) {
  for (const FactoryField& field : kFactoryFields) {
    auto out = image.begin() + field.offset;
    if (field.isText) {
      std::copy(field.text.begin(), field.text.end(), out);
      continue;
    }
    for (std::size_t i = 0; i < field.width; ++i)
      out[static_cast<std::ptrdiff_t>(i)] = static_cast<std::uint8_t>(field.number >> (8 * i));
  }
}

}  // namespace vardex::sim
