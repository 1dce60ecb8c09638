#include "access_settings.h"

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

TEST(AccessSettings, StartUpStateEncodesBothServices) {
  ConfigImage image;
  ASSERT_TRUE(EncodeAccessSettings(AccessSettings{}, image).Succeeded());
  EXPECT_EQ(Bytes(image, 1172, 13), TextField("admin", 13));
  EXPECT_EQ(Bytes(image, 1185, 13), TextField("kibzo", 13));
  EXPECT_EQ(Bytes(image, 1198, 40), TextField("YWRtaW46a2liem8=", 40));
  EXPECT_EQ(Bytes(image, 1238, 2), (std::vector<std::uint8_t>{80, 0}));
  EXPECT_EQ(Bytes(image, 1240, 13), TextField("admin", 13));
  EXPECT_EQ(Bytes(image, 1253, 13), TextField("kibzo", 13));
  EXPECT_EQ(Bytes(image, 1266, 2), (std::vector<std::uint8_t>{23, 0}));
}

TEST(AccessSettings, TokenIsBase64OfUserColonPassword) {
  struct Case {
    std::string user, password, token;
  };
  const Case cases[] = {
      {"", "", "Og=="},
      {"admin", "", "YWRtaW46"},
      {"abcdefghijkl", "mnopqrstuvwx", "YWJjZGVmZ2hpamtsOm1ub3BxcnN0dXZ3eA=="},
      // Cut to the 12 bytes that the user field keeps, so the token fits.
      {std::string(20, 'u'), "kibzo", "dXV1dXV1dXV1dXV1OmtpYnpv"},
  };
  for (const Case& c : cases) {
    AccessSettings settings;
    settings.www.user = c.user;
    settings.www.password = c.password;
    ConfigImage image;
    ASSERT_TRUE(EncodeAccessSettings(settings, image).Succeeded()) << c.user;
    EXPECT_EQ(Bytes(image, 1198, 40), TextField(c.token, 40)) << c.user;
  }
}

struct PortCase {
  bool telnet;
  std::string text;
  std::vector<std::uint8_t> stored;  // at the port's offset, when accepted
  std::string message;               // empty: accepted
};

class AccessPortTest : public ::testing::TestWithParam<PortCase> {};

TEST_P(AccessPortTest, StoresSixteenBitsAndRefusesNegatives) {
  const PortCase& c = GetParam();
  AccessSettings settings;
  (c.telnet ? settings.telnet : settings.www).port = c.text;
  ConfigImage image;
  const StepResult result = EncodeAccessSettings(settings, image);
  const std::size_t offset = c.telnet ? 1266 : 1238;
  if (c.message.empty()) {
    EXPECT_TRUE(result.Succeeded()) << result.text;
    EXPECT_EQ(Bytes(image, offset, 2), c.stored);
  } else {
    // A refused image is never sent, so only the message matters.
    EXPECT_EQ(result.kind, StepResult::Kind::kInvalid);
    EXPECT_EQ(result.text, c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, AccessPortTest,
    ::testing::Values(PortCase{false, "8080", {0x90, 0x1F}, ""},
                      PortCase{false, "0", {0x00, 0x00}, ""},
                      PortCase{false, "$FFFF", {0xFF, 0xFF}, ""},
                      PortCase{false, "-1", {}, "WWW port - range error (0 - 65535)."},
                      PortCase{false, "-0", {0x00, 0x00}, ""},
                      PortCase{false, "65536", {}, "WWW port - range error (0 - 65535)."},
                      PortCase{true, "2323", {0x13, 0x09}, ""},
                      PortCase{true, "-1", {}, "Telnet port - range error (0 - 65535)."},
                      PortCase{true, "-999", {}, "Telnet port - range error (0 - 65535)."}));

TEST(AccessSettings, BadWebPortStopsBeforeTelnet) {
  AccessSettings settings;
  settings.www.port = "-80";
  settings.telnet.port = "-23";
  ConfigImage image;
  EXPECT_EQ(EncodeAccessSettings(settings, image).text, "WWW port - range error (0 - 65535).");
  EXPECT_EQ(Bytes(image, 1240, 13), TextField("", 13));
}

TEST(AccessSettings, PortThatIsNotANumberEndsTheWrite) {
  AccessSettings settings;
  settings.telnet.port = "";
  ConfigImage image;
  const StepResult result = EncodeAccessSettings(settings, image);
  EXPECT_EQ(result.kind, StepResult::Kind::kNotAnInteger);
  EXPECT_EQ(result.text, "");
}

TEST(AccessSettings, OverlongTextsAreCutToTheirFields) {
  AccessSettings settings;
  settings.www.password = std::string(13, 'p');  // e.g. shown from a field without a zero
  settings.telnet.user = std::string(30, 't');
  ConfigImage image;
  ASSERT_TRUE(EncodeAccessSettings(settings, image).Succeeded());
  EXPECT_EQ(Bytes(image, 1185, 13), TextField(std::string(12, 'p'), 13));
  EXPECT_EQ(image.bytes[1198], 'Y');  // the token is not overwritten
  EXPECT_EQ(Bytes(image, 1240, 13), TextField(std::string(12, 't'), 13));
  EXPECT_EQ(Bytes(image, 1253, 13), TextField("kibzo", 13));
}

TEST(AccessSettings, DecodeReadsTextsAndPortsButNotTheToken) {
  ConfigImage image;
  for (std::size_t i = 1172; i < 1198; ++i) image.bytes[i] = 'w';  // user and password full
  image.PutText(1198, 40, "bm90OnVzZWQ=");
  image.PutU16(1238, 0xFFFF);
  image.PutText(1240, 13, "root");
  image.PutText(1253, 13, "");
  image.PutU16(1266, 2323);
  AccessSettings settings;
  DecodeAccessSettings(image, settings);
  EXPECT_EQ(settings.www.user, std::string(12, 'w'));
  EXPECT_EQ(settings.www.password, std::string(12, 'w'));
  EXPECT_EQ(settings.www.port, "65535");
  EXPECT_EQ(settings.telnet.user, "root");
  EXPECT_EQ(settings.telnet.password, "");
  EXPECT_EQ(settings.telnet.port, "2323");
}

}  // namespace
}  // namespace vardex
