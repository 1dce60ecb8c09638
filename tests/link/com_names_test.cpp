#include "com_names.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vardex {
namespace {

namespace fs = std::filesystem;

TEST(ComPortNumber, AcceptsExactlyCom1ToCom9) {
  EXPECT_EQ(ComPortNumber("COM1"), 1);
  EXPECT_EQ(ComPortNumber("COM9"), 9);
  for (const char* text : {"COM0", "COM10", "com1", "COM", "", " COM1", "COM1 ", "LPT1"}) {
    EXPECT_EQ(ComPortNumber(text), std::nullopt) << '"' << text << '"';
  }
}

class LinkDirectory : public ::testing::Test {
 protected:
  fs::path dir_ = fs::temp_directory_path() /
                  ("vardex_links_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ::chmod(dir_.c_str(), 0700);
  }
  void TearDown() override { fs::remove_all(dir_); }
};

TEST_F(LinkDirectory, ALinkToADeviceWinsOverTheSystemList) {
  fs::create_symlink("/dev/null", dir_ / "com3");
  const auto target = ResolveComPort(3, dir_.string(), {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2"});
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->path, "/dev/null");
  EXPECT_TRUE(target->fromLink);
}

TEST_F(LinkDirectory, IsIgnoredWhenOthersMayWriteToIt) {
  fs::create_symlink("/dev/null", dir_ / "com1");
  for (const mode_t mode : {0720, 0702, 0777}) {
    ::chmod(dir_.c_str(), mode);
    EXPECT_EQ(ResolveThroughLinkDirectory(dir_.string(), 1), std::nullopt) << std::oct << mode;
    const auto target = ResolveComPort(1, dir_.string(), {"/dev/ttyUSB0"});
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->path, "/dev/ttyUSB0");
    EXPECT_FALSE(target->fromLink);
  }
  ::chmod(dir_.c_str(), 0755);  // readable by others is fine
  EXPECT_EQ(ResolveThroughLinkDirectory(dir_.string(), 1), "/dev/null");
}

TEST_F(LinkDirectory, OnlyLinksToCharacterDevicesCount) {
  std::ofstream(dir_ / "plain.txt") << "x";
  fs::create_symlink(dir_ / "plain.txt", dir_ / "com2");
  fs::create_symlink(dir_ / "missing", dir_ / "com4");
  EXPECT_EQ(ResolveThroughLinkDirectory(dir_.string(), 2), std::nullopt);
  EXPECT_EQ(ResolveThroughLinkDirectory(dir_.string(), 4), std::nullopt);
  EXPECT_EQ(ResolveThroughLinkDirectory(dir_.string(), 5), std::nullopt);
}

TEST(ResolveComPort, FallsBackToTheNthSystemPort) {
  const std::vector<std::string> ports{"/dev/ttyS0", "/dev/ttyUSB0"};
  EXPECT_EQ(ResolveComPort(2, "/nonexistent/dir", ports)->path, "/dev/ttyUSB0");
  EXPECT_EQ(ResolveComPort(3, "/nonexistent/dir", ports), std::nullopt);
  EXPECT_EQ(ResolveComPort(0, "/nonexistent/dir", ports), std::nullopt);
  EXPECT_EQ(ResolveComPort(1, "", {}), std::nullopt);
}

TEST(SortPortsNaturally, CountsNumbersAsNumbers) {
  std::vector<std::string> ports{"/dev/ttyUSB0", "/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM0",
                                 "/dev/ttyS0"};
  SortPortsNaturally(ports);
  EXPECT_EQ(ports, (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS2",
                                             "/dev/ttyS10", "/dev/ttyUSB0"}));
}

}  // namespace
}  // namespace vardex
