#include "image_checks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "image_fields.h"

namespace vardex {
namespace {

using S = ImageSection;

std::size_t FieldByteCount() {
  std::size_t count = 0;
  for (std::uint8_t owner : ImageByteOwners()) count += owner != kNoSection;
  return count;
}

TEST(ImageFieldTable, CoversBytesFourTo1548LessTheReservedOnes) {
  // 1545 bytes from 4 to 1548, less 23 reserved ones inside that span.
  EXPECT_EQ(FieldByteCount(), 1522u);
}

TEST(ImageFieldTable, ReservedBytesBelongToNoField) {
  for (unsigned offset : {0u,   3u,    49u,   50u,   51u,   69u,   70u,   71u,   115u,  150u,
                          151u, 317u,  318u,  319u,  431u,  523u,  615u,  707u,  799u,  891u,
                          983u, 1075u, 1287u, 1314u, 1315u, 1549u, 1550u, 1551u, 1552u, 2047u}) {
    EXPECT_EQ(ImageByteOwners()[offset], kNoSection) << "byte " << offset;
  }
}

TEST(ImageFieldTable, FieldEdgesBelongToTheirSections) {
  struct Edge {
    unsigned offset;
    S section;
  };
  const Edge edges[] = {
      {4, S::kRadio},
      {11, S::kRadio},
      {19, S::kRadio},
      {20, S::kDigipeater},
      {27, S::kDigipeater},
      {28, S::kRadio},
      {46, S::kRadio},
      {48, S::kRadio},
      {52, S::kWeather},
      {68, S::kWeather},
      {72, S::kWeather},
      {112, S::kWeather},
      {114, S::kWeather},
      {116, S::kAprsIs},
      {149, S::kAprsIs},
      {152, S::kAprsIs},
      {267, S::kAprsIs},
      {268, S::kClock},
      {300, S::kClock},
      {301, S::kNetwork},
      {316, S::kNetwork},
      {320, S::kClock},
      {339, S::kClock},
      {340, S::kBeacons},
      {428, S::kBeacons},
      {430, S::kBeacons},
      {432, S::kBeacons},
      {1074, S::kBeacons},
      {1076, S::kDigipeater},
      {1171, S::kDigipeater},
      {1172, S::kAccess},
      {1237, S::kAccess},
      {1267, S::kAccess},
      {1268, S::kTelemetry},
      {1269, S::kTelemetryData},
      {1286, S::kTelemetryData},
      {1288, S::kTelemetryData},
      {1295, S::kTelemetryData},
      {1296, S::kTelemetryParameters},
      {1313, S::kTelemetryParameters},
      {1316, S::kTelemetryParameters},
      {1323, S::kTelemetryParameters},
      {1324, S::kTelemetry},
      {1548, S::kTelemetry},
  };
  for (const Edge& e : edges) {
    EXPECT_EQ(ImageByteOwners()[e.offset], static_cast<std::uint8_t>(e.section))
        << "byte " << e.offset;
  }
}

// An image that passes every check: all zero, checksum of zero.
ConfigImage Clean() {
  return ConfigImage{};
}

TEST(ImageChecks, FlagTheFirstStrayByte) {
  struct Case {
    unsigned offset = 0;
    std::uint8_t value = 0;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {49, 0x01, "byte 49 = 0x01 lies in no field"},
      {431, 0x07, "byte 431 = 0x07 lies in no field"},
      {1549, 0x20, "byte 1549 = 0x20 lies in no field"},
      {2047, 0xFF, "byte 2047 = 0xFF lies in no field"},
      {2, 0x55, std::nullopt},  // the checksum is no stray byte
      {48, 0xFF, std::nullopt},
      {1548, 0x01, std::nullopt},
  };
  for (const Case& c : cases) {
    ConfigImage image = Clean();
    image.bytes[c.offset] = c.value;
    EXPECT_EQ(FindByteOutsideFields(image), c.expected) << "byte " << c.offset;
  }
}

TEST(ImageChecks, FlagTextsWithoutZeroByte) {
  struct Case {
    unsigned first = 0;
    unsigned last = 0;  // filled with 'A'
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {364, 428, "text field at 364 (65 bytes) has no zero byte"},
      {364, 427, std::nullopt},  // 64 characters and the zero byte
      // The callsign is padded, not ended: the SSID digit's zero byte ends both.
      {4, 11, "text field at 10 (2 bytes) has no zero byte"},
      {1198, 1237, "text field at 1198 (40 bytes) has no zero byte"},
      {1530, 1538, "text field at 1530 (9 bytes) has no zero byte"},
      {12, 19, std::nullopt},  // a number may hold any bytes
  };
  for (const Case& c : cases) {
    ConfigImage image = Clean();
    for (unsigned i = c.first; i <= c.last; ++i) image.bytes[i] = 'A';
    EXPECT_EQ(FindUnterminatedText(image), c.expected) << "bytes " << c.first << " to " << c.last;
  }
}

TEST(ImageChecks, TextCheckOfOneSectionIgnoresTheOthers) {
  ConfigImage image = Clean();
  for (unsigned i = 4; i <= 11; ++i) image.bytes[i] = 'A';
  EXPECT_EQ(FindUnterminatedText(image, S::kBeacons), std::nullopt);
  EXPECT_EQ(FindUnterminatedText(image, S::kRadio), "text field at 10 (2 bytes) has no zero byte");
}

TEST(ImageChecks, ChecksumCoversFourTo1551) {
  struct Case {
    unsigned offset = 0;
    std::optional<std::string> expected;
  };
  // Byte 4 is 0x41 and the checksum says 41 00 00 00; one more byte is set.
  const Case cases[] = {
      {1551, "checksum 0x00000041 stored, bytes 4 to 1551 sum to 0x00000042"},
      {5, "checksum 0x00000041 stored, bytes 4 to 1551 sum to 0x00000042"},
      {1552, std::nullopt},
      {2047, std::nullopt},
  };
  for (const Case& c : cases) {
    ConfigImage image = Clean();
    image.bytes[0] = 0x41;
    image.bytes[4] = 0x41;
    EXPECT_EQ(FindChecksumMismatch(image), std::nullopt);
    image.bytes[c.offset] = 0x01;
    EXPECT_EQ(FindChecksumMismatch(image), c.expected) << "byte " << c.offset;
  }
}

TEST(ImageChecks, ChecksumIsLittleEndian) {
  ConfigImage image = Clean();
  for (unsigned i = 4; i <= 1551; ++i) image.bytes[i] = 0xFF;
  // 1548 * 255 = 394740 = 0x000605F4.
  image.bytes[0] = 0xF4;
  image.bytes[1] = 0x05;
  image.bytes[2] = 0x06;
  EXPECT_EQ(FindChecksumMismatch(image), std::nullopt);
  image.bytes[0] = 0x00;
  image.bytes[2] = 0xF4;
  EXPECT_EQ(FindChecksumMismatch(image),
            "checksum 0x00F40500 stored, bytes 4 to 1551 sum to 0x000605F4");
}

TEST(ImageChecks, FlagWritesOutsideTheSectionEncoded) {
  struct Case {
    S section = S::kRadio;
    unsigned offset = 0;
    std::uint8_t value = 0;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {S::kRadio, 11, 0x00, std::nullopt},
      {S::kRadio, 20, 0x00, "section 0 wrote 0x00 to byte 20 outside its fields"},
      {S::kRadio, 49, 0x30, "section 0 wrote 0x30 to byte 49 outside its fields"},
      {S::kBeacons, 431, 0x00, "section 2 wrote 0x00 to byte 431 outside its fields"},
      {S::kBeacons, 430, 0x00, std::nullopt},
      {S::kTelemetry, 1269, 0x00, "section 8 wrote 0x00 to byte 1269 outside its fields"},
      {S::kTelemetryParameters, 1314, 0x01,
       "section 10 wrote 0x01 to byte 1314 outside its fields"},
      {S::kAccess, 1, 0x00, "section 7 wrote 0x00 to byte 1 outside its fields"},
  };
  for (const Case& c : cases) {
    ConfigImage image;
    image.bytes.fill(0xA5);
    image.bytes[c.offset] = c.value;
    EXPECT_EQ(FindWriteOutsideSection(image, c.section, 0xA5), c.expected) << "byte " << c.offset;
  }
}

}  // namespace
}  // namespace vardex
