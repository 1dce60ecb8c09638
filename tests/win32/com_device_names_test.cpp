#include "com_device_names.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(WindowsComNumber, TakesAnyComNumberAndNothingElse) {
  const struct {
    const char* name;
    std::optional<unsigned> number;
  } cases[] = {
      {"COM1", 1u},  {"com3", 3u},  {"Com12", 12u},        {"COM256", 256u},
      {"COM0", {}},  {"COM01", {}}, {"COM", {}},           {"COM1 ", {}},
      {" COM1", {}}, {"LPT1", {}},  {"COMX", {}},          {"\\\\.\\COM3", {}},
      {"COM-1", {}}, {"", {}},      {"COM4294967296", {}}, {"COM4294967295", 4294967295u},
  };
  for (const auto& c : cases) EXPECT_EQ(WindowsComNumber(c.name), c.number) << c.name;
}

TEST(ComDevicePath, ReachesComTenAndAbove) {
  EXPECT_EQ(ComDevicePath(1), "\\\\.\\COM1");
  EXPECT_EQ(ComDevicePath(10), "\\\\.\\COM10");
}

TEST(OrderComNames, CountsAsPeopleDoOnceEachAndDropsOthers) {
  const struct {
    std::vector<std::string> names;
    std::vector<std::string> ordered;
  } cases[] = {
      {{}, {}},
      {{"COM10", "COM2", "COM1"}, {"COM1", "COM2", "COM10"}},
      {{"COM3", "com3", "COM3"}, {"COM3"}},
      {{"LPT1", "COM7", "NUL", "COM0"}, {"COM7"}},
  };
  for (const auto& c : cases) EXPECT_EQ(OrderComNames(c.names), c.ordered);
}

}  // namespace
}  // namespace vardex
