#include "field_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace vardex {
namespace {

// Each control shows the rules of the field it carries, in the order they are
// checked; n's rule over n and N lands on n.
TEST(FieldRules, EveryKindOfRuleIsFoundOnItsControl) {
  struct Case {
    std::string_view page;
    std::string_view label;
    bool wholeNumber;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"Radio", "Callsign", false, {"Callsign - too short (ex. NOCALL-4)."}},
      {"Radio", "SSID", true, {"Callsign - SSID range error (0 - 15)."}},
      {"Radio", "TX delay [ms]", true, {"Preamble len - range error (200 - 1000)."}},
      {"Radio", "Longitude", false, {"Longitude - syntax error (ex. 01653.63E)."}},
      {"Digipeater", "Row 8 N <=", true, {"Path(n-N) 8, n<= value range error (1 - 7)."}},
      {"Digipeater", "Row 1 Path (n-N)", false, {}},
      {"Beacons",
       "Beacon 3 n",
       true,
       {"Beacon 3 path, n value range error (1 - 7).", "Beacon 3 path, n should be >= N."}},
      {"Beacons", "Beacon 3 N", true, {"Beacon 3 path, N value range error (1 - 7)."}},
      {"Beacons", "Beacon 8 Message", false, {"Beacon 8 message - forbidden characters."}},
      {"Network", "DNS octet 4", true, {"DNS - range error (0 - 255)."}},
      {"APRS-IS", "Server 3 Port", true, {"APRS-IS Server 3 Port - range error (0 - 65535)."}},
      {"RTC/NTP time", "Minute", true, {}},
      {"Telnet access", "Telnet port", true, {"Telnet port - range error (0 - 65535)."}},
      {"Telemetry module", "Analog 5 Coeff C", false, {}},
      {"Telemetry module",
       "Telemetry parameters Rate [IS]",
       true,
       {"Telemeetry parameters tx rate (APRSIS) range error (5 - 1440)."}},
  };
  const std::vector<PageTable>& pages = PageTables();
  const std::vector<std::vector<FieldRules>> rules = ControlFieldRules();
  for (const Case& c : cases) {
    const FieldRules* found = nullptr;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      for (std::size_t i = 0; i < pages[p].controls.size(); ++i) {
        if (pages[p].caption == c.page && pages[p].controls[i].label == c.label)
          found = &rules[p][i];
      }
    }
    ASSERT_NE(found, nullptr) << c.label;
    EXPECT_EQ(found->wholeNumber, c.wholeNumber) << c.label;
    EXPECT_EQ(found->messages, c.messages) << c.label;
  }
}

}  // namespace
}  // namespace vardex
