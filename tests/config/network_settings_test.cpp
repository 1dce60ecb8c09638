#include "network_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "section_steps.h"

namespace vardex {
namespace {

struct OctetCase {
  OctetTexts NetworkSettings::*row;
  std::size_t octet;  // 0 = leftmost box
  std::string text;
  std::size_t storedAt;     // image offset of that box
  std::uint8_t storedByte;  // low 8 bits, stored before the check
  std::string message;      // empty: accepted
};

class NetworkOctetTest : public ::testing::TestWithParam<OctetCase> {};

TEST_P(NetworkOctetTest, StoresLowByteAndChecksRange) {
  const OctetCase& c = GetParam();
  NetworkSettings settings;
  (settings.*c.row)[c.octet] = c.text;
  ConfigImage image;
  const StepResult result = EncodeNetworkSettings(settings, image);
  if (c.message.empty()) {
    EXPECT_TRUE(result.Succeeded()) << result.text;
  } else {
    EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
    EXPECT_EQ(result.text, c.message);
  }
  EXPECT_EQ(image.bytes[c.storedAt], c.storedByte);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, NetworkOctetTest,
    ::testing::Values(
        OctetCase{&NetworkSettings::address, 0, "255", 301, 0xFF, ""},
        OctetCase{&NetworkSettings::address, 0, "256", 301, 0x00,
                  "IP Address - range error (0 - 255)."},
        OctetCase{&NetworkSettings::address, 3, "-1", 304, 0xFF,
                  "IP Address - range error (0 - 255)."},
        OctetCase{&NetworkSettings::address, 3, "-0", 304, 0x00, ""},
        OctetCase{&NetworkSettings::mask, 0, "255", 309, 0xFF, ""},
        OctetCase{&NetworkSettings::mask, 1, "256", 310, 0x00, "IP Mask - range error (0 - 255)."},
        OctetCase{&NetworkSettings::mask, 3, "-1", 312, 0xFF, "IP Mask - range error (0 - 255)."},
        OctetCase{&NetworkSettings::mask, 3, "-0", 312, 0x00, ""},
        OctetCase{&NetworkSettings::gateway, 0, "255", 305, 0xFF, ""},
        OctetCase{&NetworkSettings::gateway, 2, "256", 307, 0x00,
                  "Gateway - range error (0 - 255)."},
        OctetCase{&NetworkSettings::gateway, 3, "-1", 308, 0xFF,
                  "Gateway - range error (0 - 255)."},
        OctetCase{&NetworkSettings::gateway, 1, "-0", 306, 0x00, ""},
        OctetCase{&NetworkSettings::dns, 0, "255", 313, 0xFF, ""},
        OctetCase{&NetworkSettings::dns, 3, "256", 316, 0x00, "DNS - range error (0 - 255)."},
        OctetCase{&NetworkSettings::dns, 2, "-1", 315, 0xFF, "DNS - range error (0 - 255)."},
        OctetCase{&NetworkSettings::dns, 3, "-0", 316, 0x00, ""}));

TEST(NetworkSettings, StoresAddressGatewayMaskDnsInThatOrder) {
  NetworkSettings settings;
  settings.address = {"10", "11", "12", "13"};
  settings.mask = {"20", "21", "22", "23"};
  settings.gateway = {"30", "31", "32", "33"};
  settings.dns = {"40", "41", "42", "43"};
  ConfigImage image;
  ASSERT_TRUE(EncodeNetworkSettings(settings, image).Succeeded());
  const std::vector<std::uint8_t> expected = {10, 11, 12, 13, 30, 31, 32, 33,
                                              20, 21, 22, 23, 40, 41, 42, 43};
  EXPECT_EQ(std::vector<std::uint8_t>(image.bytes.begin() + 301, image.bytes.begin() + 317),
            expected);
  for (std::size_t offset : {300u, 317u, 318u, 319u}) EXPECT_EQ(image.bytes[offset], 0) << offset;
}

TEST(NetworkSettings, ChecksMaskBeforeGatewayAlthoughGatewayIsStoredFirst) {
  NetworkSettings settings;
  settings.mask[3] = "300";
  settings.gateway[0] = "999";
  ConfigImage image;
  EXPECT_EQ(EncodeNetworkSettings(settings, image).text, "IP Mask - range error (0 - 255).");
  // The gateway was never reached, so its bytes are still clear.
  EXPECT_EQ(image.bytes[305], 0);

  settings.mask[3] = "0";
  EXPECT_EQ(EncodeNetworkSettings(settings, image).text, "Gateway - range error (0 - 255).");

  settings.gateway[0] = "1";
  settings.address[1] = "-7";
  settings.dns[0] = "1000";
  EXPECT_EQ(EncodeNetworkSettings(settings, image).text, "IP Address - range error (0 - 255).");
}

TEST(NetworkSettings, EmptyOctetIsAConversionFailureNotARangeError) {
  NetworkSettings settings;
  settings.gateway[2] = "";
  settings.dns[0] = "256";
  ConfigImage image;
  const StepResult result = EncodeNetworkSettings(settings, image);
  EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
  EXPECT_EQ(result.text, "");
}

TEST(NetworkSettings, DecodeShowsEachByteAsPlainDecimal) {
  ConfigImage image;
  const std::uint8_t bytes[16] = {10, 0, 0, 7, 192, 168, 0, 254, 255, 255, 240, 0, 8, 8, 4, 4};
  for (std::size_t i = 0; i < 16; ++i) image.bytes[301 + i] = bytes[i];
  NetworkSettings settings;
  DecodeNetworkSettings(image, settings);
  EXPECT_EQ(settings.address, (OctetTexts{"10", "0", "0", "7"}));
  EXPECT_EQ(settings.gateway, (OctetTexts{"192", "168", "0", "254"}));
  EXPECT_EQ(settings.mask, (OctetTexts{"255", "255", "240", "0"}));
  EXPECT_EQ(settings.dns, (OctetTexts{"8", "8", "4", "4"}));
}

}  // namespace
}  // namespace vardex
