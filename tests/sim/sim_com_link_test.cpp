// The program around the protocol: COM name, signals, reopening the port,
// command line, idling.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "sim_process.h"

namespace sim_test {
namespace {

namespace fs = std::filesystem;

constexpr auto kReplyLimit = milliseconds(2000);
const Bytes kReadPage3{0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93};

class SimSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(SimSignalTest, ComLinkLivesAsLongAsTheProgram) {
  TempDir dir;
  const fs::path link_dir = dir.path() / "vardex" / "dosdevices";
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "4", "--link-dir", link_dir.string()}));

  const fs::path link = link_dir / "com4";
  ASSERT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link).string(), sim.slave_path());
  struct stat st {};
  ASSERT_EQ(stat(link_dir.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, geteuid());

  // The tool opens the port through the link.
  Port port(link.string());
  ASSERT_TRUE(port.is_open());
  ASSERT_TRUE(port.Write(kReadPage3));
  EXPECT_EQ(port.Read(136, kReplyLimit).size(), 136u);

  EXPECT_EQ(sim.Stop(GetParam()), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

INSTANTIATE_TEST_SUITE_P(Signals, SimSignalTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return info.param == SIGTERM ? "Term" : "Int"; });

TEST(SimComLinkTest, StaleLinkIsReplaced) {
  TempDir dir;
  const fs::path link = dir.path() / "com2";
  fs::create_symlink("/dev/pts/no-such-pty", link);
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "2", "--link-dir", dir.path().string()}));
  EXPECT_EQ(fs::read_symlink(link).string(), sim.slave_path());
}

TEST(SimComLinkTest, LinkTakenOverByAnotherRunIsLeftAlone) {
  TempDir dir;
  const fs::path link = dir.path() / "com6";
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "6", "--link-dir", dir.path().string()}));
  fs::remove(link);
  fs::create_symlink("/dev/pts/someone-else", link);
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
}

TEST(SimComLinkTest, RegularFileInTheWayIsAnError) {
  TempDir dir;
  WriteFile(dir.path() / "com5", Bytes{0x41});
  SimProcess sim;
  EXPECT_FALSE(sim.Start({"--com", "5", "--link-dir", dir.path().string()}));
  EXPECT_EQ(sim.WaitExit(milliseconds(2000)), 1);
  EXPECT_EQ(ReadFile(dir.path() / "com5"), "A");
}

TEST(SimPortTest, ToolCanCloseAndReopenThePort) {
  SimProcess sim;
  ASSERT_TRUE(sim.Start({}));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Port port(sim.slave_path());
    ASSERT_TRUE(port.is_open());
    ASSERT_TRUE(port.Write(kReadPage3));
    const Bytes reply = port.Read(136, kReplyLimit);
    ASSERT_EQ(reply.size(), 136u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{0xFF, 0x91, 0x00, 0x03}));
  }
}

TEST(SimPortTest, IdleProgramDoesNotSpin) {
  SimProcess sim;
  ASSERT_TRUE(sim.Start({}));
  {
    Port port(sim.slave_path());  // opened and closed again, as the tool does
  }
  std::this_thread::sleep_for(milliseconds(500));
  std::chrono::microseconds cpu{};
  EXPECT_EQ(sim.Stop(SIGTERM, &cpu), 0);
  // A busy loop would burn about the whole 500 ms.
  EXPECT_LT(cpu, milliseconds(100));
}

struct CommandLineCase {
  const char* name;
  std::vector<std::string> args;
  int exit_status;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
  *os << c.name;
}

class SimCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(SimCommandLineTest, EndsAtOnceWithStatus) {
  SimProcess sim;
  EXPECT_FALSE(sim.Start(GetParam().args));
  EXPECT_EQ(sim.WaitExit(milliseconds(2000)), GetParam().exit_status);
  if (GetParam().exit_status == 0) {
    EXPECT_TRUE(sim.stdout_text().starts_with("Usage: vardex-sim")) << sim.stdout_text();
    for (const char* option :
         {"--com", "--link-dir", "--image", "--save-image", "--firmware-out", "--noise",
          "--corrupt-header", "--corrupt-data", "--drop", "--fragment", "--delay-ms", "--baud",
          "--bad-page-number", "--verbose", "--help"}) {
      EXPECT_NE(sim.stdout_text().find(option), std::string::npos) << option;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SimCommandLineTest,
                         ::testing::Values(CommandLineCase{"Help", {"--help"}, 0},
                                           CommandLineCase{"UnknownOption", {"--colour"}, 2},
                                           CommandLineCase{"ComZero", {"--com", "0"}, 2},
                                           CommandLineCase{"ComTen", {"--com", "10"}, 2},
                                           CommandLineCase{"MissingValue", {"--drop"}, 2},
                                           CommandLineCase{"ReplyNumberZero", {"--drop", "0"}, 2},
                                           CommandLineCase{
                                               "BrokenList", {"--corrupt-data", "2,,3"}, 2},
                                           CommandLineCase{"NotANumber", {"--baud", "fast"}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sim_test
