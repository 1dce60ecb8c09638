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

// What the device manager says of a USB adapter, as its ids spell it.
TEST(HardwareIds, GiveUsbIdsAndSerialNumbers) {
  const struct {
    const char* hardwareId;
    std::optional<std::uint16_t> vendor, product;
  } ids[] = {
      {"USB\\VID_0403&PID_6001&REV_0600", 0x0403, 0x6001},
      {"USB\\VID_10c4&PID_EA60", 0x10c4, 0xea60},
      {"FTDIBUS\\VID_0403+PID_6015+DK0AM0V0A\\0000", 0x0403, 0x6015},
      {"ACPI\\PNP0501", {}, {}},
      {"USB\\VID_04&PID_60", {}, {}},
      {"USB\\VID_04G3&PID_6001", {}, 0x6001},
      {"", {}, {}},
  };
  for (const auto& c : ids) {
    EXPECT_EQ(HardwareIdNumber(c.hardwareId, "VID_"), c.vendor) << c.hardwareId;
    EXPECT_EQ(HardwareIdNumber(c.hardwareId, "PID_"), c.product) << c.hardwareId;
  }
  const struct {
    const char* instanceId;
    const char* serial;
  } instances[] = {
      {"USB\\VID_0403&PID_6001\\A50285BI", "A50285BI"},
      {"USB\\VID_1A86&PID_7523\\5&2A7A9B2&0&3", ""},  // made up by Windows
      {"ACPI\\PNP0501\\1", ""},
      {"USB\\VID_0403&PID_6001\\", ""},
      {"USB\\", ""},
      {"", ""},
  };
  for (const auto& c : instances)
    EXPECT_EQ(InstanceSerialNumber(c.instanceId), c.serial) << c.instanceId;
}

}  // namespace
}  // namespace vardex
