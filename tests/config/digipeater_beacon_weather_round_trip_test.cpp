// A whole image read from the device, shown and written back, must give the
// device the same bytes for every field of the Digipeater, Beacons and
// Weather pages and of the two telemetry report blocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config_driver.h"
#include "image_bytes_for_tests.h"

namespace vardex {
namespace {

void Put(ConfigImage& image, std::size_t offset, const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    image.bytes[offset + i] = static_cast<std::uint8_t>(bytes[i]);
  }
}

// Byte ranges these pages own, first and last offset.
struct Span {
  std::size_t first;
  std::size_t last;
};
const std::vector<Span> kSpans = {{20, 27}, {52, 115}, {340, 1171}, {1269, 1323}};

ConfigImage DeviceImage() {
  ConfigImage image;
  // Every other page at its start-up values, so the write gets this far.
  EXPECT_TRUE(BuildConfigImage(ConfigSettings{}, image).Succeeded());
  for (const Span& span : kSpans) {
    for (std::size_t i = span.first; i <= span.last; ++i) image.bytes[i] = 0;
  }
  Put(image, 20, std::string("\x00\x00\x00\x00\x2D\x00\x00\x00", 8));  // off, 45 s
  Put(image, 52, std::string("\x00", 1));                              // "None"
  Put(image, 53, std::string("BEACON0\0WX\0\0\0\0\x01\x01\0\0\0\xA0\x05\0\0\x0F\0\0\0", 27));
  Put(image, 80, std::string(32, 'w'));  // fills the comment up to its zero byte
  Put(image, 113, std::string("\x00\x01", 2));
  for (std::size_t k = 0; k < 8; ++k) {
    const std::size_t start = 340 + 92 * k;
    Put(image, start, k % 2 ? std::string("APVDX10") : std::string("BEACON0"));
    Put(image, start + 8, std::string(k % 5 + 1, static_cast<char>('a' + k)));
    image.bytes[start + 14] = static_cast<std::uint8_t>(1 + k % 4);  // N
    image.bytes[start + 15] = 7;                                     // n
    image.bytes[start + 16] = static_cast<std::uint8_t>(5 + k);      // RF rate
    Put(image, start + 20, std::string("\xA0\x05", 2));              // IS rate 1440
    Put(image, start + 24, std::string(8 * k, static_cast<char>('!' + k)));
    image.bytes[start + 89] = k % 2;
    image.bytes[start + 90] = 1 - k % 2;
  }
  Put(image, 1008, std::string(64, '~'));  // beacon 8's message fills its field
  for (std::size_t k = 0; k < 8; ++k) {
    const std::size_t start = 1076 + 12 * k;
    Put(image, start, std::string(7 - k % 7, static_cast<char>('A' + k)));
    image.bytes[start + 8] = static_cast<std::uint8_t>(7 - k % 7);
    image.bytes[start + 9] = static_cast<std::uint8_t>(1 + k % 7);
    image.bytes[start + 10] = k == 5 ? 0xFF : k % 2;
    image.bytes[start + 11] = 1 - k % 2;
  }
  Put(image, 1269,
      std::string("BEACON0\0TD\0\0\0\0\x02\x03\x00\x01\0\x40\x01\0\0\xE8\x03\0\0", 27));
  Put(image, 1296,
      std::string("APVDX10\0TP\0\0\0\0\x03\x04\x01\x00\0\0\x9F\x05\0\0\x05\0\0\0", 28));
  StoreImageChecksum(image);
  return image;
}

TEST(ImageRoundTrip, EveryFieldOfThesePagesComesBackByteForByte) {
  const ConfigImage device = DeviceImage();
  ConfigSettings shown;
  ShowConfigImage(device, shown);

  ConfigImage rewritten;
  const StepResult result = BuildConfigImage(shown, rewritten);
  ASSERT_TRUE(result.Succeeded()) << result.text;
  for (const Span& span : kSpans) {
    EXPECT_EQ(testing::Bytes(rewritten, span.first, span.last - span.first + 1),
              testing::Bytes(device, span.first, span.last - span.first + 1))
        << span.first << " to " << span.last;
  }
}

TEST(ImageRoundTrip, ReadValuesTheBoxesCannotTakeByTypingAreShownInFull) {
  ConfigSettings shown;
  ShowConfigImage(DeviceImage(), shown);
  EXPECT_EQ(shown.weather.report.txRateRf, "1440");
  EXPECT_EQ(shown.telemetryData.txRateAprsIs, "1000");
  EXPECT_EQ(shown.telemetryParameters.txRateRf, "1439");
  EXPECT_EQ(shown.digipeater.paths[0].name, "AAAAAAA");
  EXPECT_EQ(shown.beacons.beacons[7].message, std::string(64, '~'));
  EXPECT_EQ(shown.weather.comment, std::string(32, 'w'));
  EXPECT_EQ(shown.weather.report.dest, 0);  // decoded like the other blocks
  EXPECT_EQ(shown.telemetryData.dest, 0);
}

}  // namespace
}  // namespace vardex
