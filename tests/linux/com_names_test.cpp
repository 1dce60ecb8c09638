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
  const ComPortTarget target =
      ResolveComPort(3, dir_.string(), {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2"});
  EXPECT_EQ(target.route, ComRoute::kLink);
  EXPECT_EQ(target.path, "/dev/null");
  ::chmod(dir_.c_str(), 0755);  // readable by others is fine
  EXPECT_EQ(ResolveComPort(3, dir_.string(), {}).route, ComRoute::kLink);
}

// A name with a link never falls back to another port: an unplugged
// adapter's link must not open the built-in serial port instead.
TEST_F(LinkDirectory, ANameWithALinkAlwaysMeansThatLink) {
  std::ofstream(dir_ / "plain.txt") << "x";
  fs::create_symlink(dir_ / "plain.txt", dir_ / "com2");
  fs::create_symlink(dir_ / "ttyUSB7", dir_ / "com4");
  fs::create_symlink("/dev/null", dir_ / "com6");
  struct Case {
    mode_t dirMode;
    int number;
    ComRoute route;
    std::string path;
  };
  const std::string plain = (dir_ / "plain.txt").string();
  const std::string missing = (dir_ / "ttyUSB7").string();
  const Case cases[] = {
      {0700, 2, ComRoute::kLinkNotSerial, plain},
      {0700, 4, ComRoute::kDanglingLink, missing},
      {0700, 5, ComRoute::kSystemPort, "/dev/ttyS4"},  // no link at all
      {0720, 6, ComRoute::kLinkDirectoryRefused, "/dev/null"},
      {0702, 6, ComRoute::kLinkDirectoryRefused, "/dev/null"},
      {0777, 6, ComRoute::kLinkDirectoryRefused, "/dev/null"},
      {0777, 5, ComRoute::kSystemPort, "/dev/ttyS4"},
      {0700, 7, ComRoute::kNoPort, ""},
  };
  const std::vector<std::string> ports{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2",
                                       "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyS5"};
  for (const Case& c : cases) {
    ::chmod(dir_.c_str(), c.dirMode);
    const ComPortTarget target = ResolveComPort(c.number, dir_.string(), ports);
    EXPECT_EQ(target.route, c.route) << "COM" << c.number << " " << std::oct << c.dirMode;
    EXPECT_EQ(target.path, c.path) << "COM" << c.number;
    EXPECT_EQ(target.Opens(), c.route == ComRoute::kSystemPort);
  }
  ::chmod(dir_.c_str(), 0700);
}

TEST(ResolveComPort, FallsBackToTheNthSystemPort) {
  const std::vector<std::string> ports{"/dev/ttyS0", "/dev/ttyUSB0"};
  EXPECT_EQ(ResolveComPort(2, "/nonexistent/dir", ports).path, "/dev/ttyUSB0");
  EXPECT_EQ(ResolveComPort(3, "/nonexistent/dir", ports).route, ComRoute::kNoPort);
  EXPECT_EQ(ResolveComPort(0, "/nonexistent/dir", ports).route, ComRoute::kNoPort);
  EXPECT_EQ(ResolveComPort(1, "", {}).route, ComRoute::kNoPort);
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
