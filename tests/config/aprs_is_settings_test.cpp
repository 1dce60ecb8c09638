#include "aprs_is_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image_bytes_for_tests.h"
#include "section_steps.h"

namespace vardex {
namespace {

using testing::Bytes;
using testing::TextField;

struct PortCase {
  std::size_t server;  // 0-based
  std::string text;
  std::size_t portOffset;
  std::vector<std::uint8_t> stored;
  std::string message;  // empty: accepted
};

class AprsIsPortTest : public ::testing::TestWithParam<PortCase> {};

TEST_P(AprsIsPortTest, ChecksRangeAndAllowsEmpty) {
  const PortCase& c = GetParam();
  AprsIsSettings settings;
  settings.servers[c.server].port = c.text;
  ConfigImage image;
  const StepResult result = EncodeAprsIsSettings(settings, image);
  if (c.message.empty()) {
    EXPECT_TRUE(result.Succeeded()) << result.text;
  } else {
    EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
    EXPECT_EQ(result.text, c.message);
  }
  EXPECT_EQ(Bytes(image, c.portOffset, 4), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, AprsIsPortTest,
    ::testing::Values(PortCase{0, "65535", 192, {0xFF, 0xFF, 0x00, 0x00}, ""},
                      PortCase{0, "0", 192, {0x00, 0x00, 0x00, 0x00}, ""},
                      PortCase{0, "", 192, {0x00, 0x00, 0x00, 0x00}, ""},
                      PortCase{0,
                               "65536",
                               192,
                               {0x00, 0x00, 0x01, 0x00},
                               "APRS-IS Server 1 Port - range error (0 - 65535)."},
                      PortCase{0,
                               "99999",
                               192,
                               {0x9F, 0x86, 0x01, 0x00},
                               "APRS-IS Server 1 Port - range error (0 - 65535)."},
                      PortCase{0,
                               "-1",
                               192,
                               {0xFF, 0xFF, 0xFF, 0xFF},
                               "APRS-IS Server 1 Port - range error (0 - 65535)."},
                      PortCase{1, "65535", 228, {0xFF, 0xFF, 0x00, 0x00}, ""},
                      PortCase{1, "", 228, {0x00, 0x00, 0x00, 0x00}, ""},
                      PortCase{1,
                               "65536",
                               228,
                               {0x00, 0x00, 0x01, 0x00},
                               "APRS-IS Server 2 Port - range error (0 - 65535)."},
                      PortCase{1,
                               "-1",
                               228,
                               {0xFF, 0xFF, 0xFF, 0xFF},
                               "APRS-IS Server 2 Port - range error (0 - 65535)."},
                      PortCase{2, "65535", 264, {0xFF, 0xFF, 0x00, 0x00}, ""},
                      PortCase{2, "", 264, {0x00, 0x00, 0x00, 0x00}, ""},
                      PortCase{2,
                               "65536",
                               264,
                               {0x00, 0x00, 0x01, 0x00},
                               "APRS-IS Server 3 Port - range error (0 - 65535)."},
                      PortCase{2,
                               "-1",
                               264,
                               {0xFF, 0xFF, 0xFF, 0xFF},
                               "APRS-IS Server 3 Port - range error (0 - 65535)."}));

TEST(AprsIsSettings, StartUpStateEncodesEveryField) {
  ConfigImage image;
  ASSERT_TRUE(EncodeAprsIsSettings(AprsIsSettings{}, image).Succeeded());
  EXPECT_EQ(Bytes(image, 116, 17), TextField("nocall", 17));
  EXPECT_EQ(Bytes(image, 133, 17), TextField("40917", 17));
  EXPECT_EQ(Bytes(image, 150, 2), (std::vector<std::uint8_t>{0, 0}));
  EXPECT_EQ(Bytes(image, 152, 8), (std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(Bytes(image, 160, 32), TextField("euro.aprs2.net", 32));
  // 14580 = 0x38F4; servers 2 and 3 keep the port with an empty host.
  EXPECT_EQ(Bytes(image, 192, 4), (std::vector<std::uint8_t>{0xF4, 0x38, 0, 0}));
  EXPECT_EQ(Bytes(image, 196, 32), TextField("", 32));
  EXPECT_EQ(Bytes(image, 228, 4), (std::vector<std::uint8_t>{0xF4, 0x38, 0, 0}));
  EXPECT_EQ(Bytes(image, 232, 32), TextField("", 32));
  EXPECT_EQ(Bytes(image, 264, 4), (std::vector<std::uint8_t>{0xF4, 0x38, 0, 0}));
}

TEST(AprsIsSettings, FirstBadPortAloneIsReported) {
  AprsIsSettings settings;
  settings.servers[0].port = "70000";
  settings.servers[2].port = "-5";
  ConfigImage image;
  EXPECT_EQ(EncodeAprsIsSettings(settings, image).text,
            "APRS-IS Server 1 Port - range error (0 - 65535).");
}

TEST(AprsIsSettings, HostWithEmptyPortGetsPortZero) {
  AprsIsSettings settings;
  settings.servers[1] = {"rotate.aprs.net", ""};
  ConfigImage image;
  ASSERT_TRUE(EncodeAprsIsSettings(settings, image).Succeeded());
  EXPECT_EQ(Bytes(image, 196, 36), TextField("rotate.aprs.net", 36));

  AprsIsSettings shown;
  DecodeAprsIsSettings(image, shown);
  EXPECT_EQ(shown.servers[1].host, "rotate.aprs.net");
  EXPECT_EQ(shown.servers[1].port, "0");
}

TEST(AprsIsSettings, PortThatIsNotANumberEndsTheWrite) {
  AprsIsSettings settings;
  settings.servers[2].port = "145 ";
  ConfigImage image;
  const StepResult result = EncodeAprsIsSettings(settings, image);
  EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
  EXPECT_EQ(result.text, "145 ");
}

TEST(AprsIsSettings, GatewaySwitchesAreWholeWords) {
  AprsIsSettings settings;
  settings.gateRfToAprsIs = false;
  ConfigImage image;
  image.bytes.fill(0xAA);
  ASSERT_TRUE(EncodeAprsIsSettings(settings, image).Succeeded());
  EXPECT_EQ(Bytes(image, 152, 8), (std::vector<std::uint8_t>{0, 0, 0, 0, 1, 0, 0, 0}));

  image.PutU32(152, 0x00000100);  // any non-zero word counts as on
  image.PutU32(156, 0);
  DecodeAprsIsSettings(image, settings);
  EXPECT_TRUE(settings.gateRfToAprsIs);
  EXPECT_FALSE(settings.gateAprsIsToRf);
}

TEST(AprsIsSettings, OverlongTextsAreCutToTheirFields) {
  AprsIsSettings settings;
  settings.servers[0].host = std::string(40, 'h');
  settings.user = std::string(20, 'u');
  ConfigImage image;
  ASSERT_TRUE(EncodeAprsIsSettings(settings, image).Succeeded());
  EXPECT_EQ(Bytes(image, 160, 32), TextField(std::string(31, 'h'), 32));
  EXPECT_EQ(Bytes(image, 192, 4), (std::vector<std::uint8_t>{0xF4, 0x38, 0, 0}));
  EXPECT_EQ(Bytes(image, 116, 17), TextField(std::string(16, 'u'), 17));
  EXPECT_EQ(Bytes(image, 133, 17), TextField("40917", 17));
}

TEST(AprsIsSettings, DecodeNeverReadsPastAField) {
  ConfigImage image;
  for (std::size_t i = 160; i < 192; ++i) image.bytes[i] = 'x';  // host without its zero
  image.PutU32(192, 0x34333231);                                 // would read as "1234"
  for (std::size_t i = 116; i < 150; ++i) image.bytes[i] = 'p';  // login and password full
  AprsIsSettings settings;
  DecodeAprsIsSettings(image, settings);
  EXPECT_EQ(settings.servers[0].host, std::string(31, 'x'));
  EXPECT_EQ(settings.user, std::string(16, 'p'));
  EXPECT_EQ(settings.password, std::string(16, 'p'));
}

}  // namespace
}  // namespace vardex
