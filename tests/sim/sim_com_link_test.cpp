// The program around the protocol: COM name, signals, reopening the port,
// command line, idling.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "sim_process.h"

namespace vardex::sim {
namespace {

namespace fs = std::filesystem;

constexpr auto kReplyLimit = milliseconds(2000);
const Bytes kReadPage3{0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93};

class SimSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(SimSignalTest, ComLinkLivesAsLongAsTheProgram) {
  TempDir dir;
  const fs::path linkDir = dir.Path() / "vardex" / "dosdevices";
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "4", "--link-dir", linkDir.string()}));

  const fs::path link = linkDir / "com4";
  ASSERT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link).string(), sim.SlavePath());
  struct stat st {};
  ASSERT_EQ(stat(linkDir.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, geteuid());

  // The tool opens the port through the link.
  Port port(link.string());
  ASSERT_TRUE(port.IsOpen());
  ASSERT_TRUE(port.Write(kReadPage3));
  EXPECT_EQ(port.Read(136, kReplyLimit).size(), 136u);

  EXPECT_EQ(sim.Stop(GetParam()), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

INSTANTIATE_TEST_SUITE_P(Signals, SimSignalTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return info.param == SIGTERM ? "Term" : "Int"; });

TEST(SimComLinkTest, StaleLinkIsReplaced) {
  TempDir dir;
  const fs::path link = dir.Path() / "com2";
  fs::create_symlink("/dev/pts/no-such-pty", link);
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "2", "--link-dir", dir.Path().string()}));
  EXPECT_EQ(fs::read_symlink(link).string(), sim.SlavePath());
}

TEST(SimComLinkTest, LinkTakenOverByAnotherRunIsLeftAlone) {
  TempDir dir;
  const fs::path link = dir.Path() / "com6";
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "6", "--link-dir", dir.Path().string()}));
  fs::remove(link);
  fs::create_symlink("/dev/pts/someone-else", link);
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
}

// A link of the user's is refused unless the simulator is told to stand in
// for it; then it is put back on exit.
TEST(SimComLinkTest, AUsersLinkIsReplacedOnlyWhenToldAndPutBack) {
  TempDir dir;
  const fs::path link = dir.Path() / "com3";
  fs::create_symlink("/dev/null", link);
  SimProcess refused;
  EXPECT_FALSE(refused.Start({"--com", "3", "--link-dir", dir.Path().string()}));
  EXPECT_EQ(refused.WaitExit(milliseconds(2000)), 1);
  EXPECT_EQ(fs::read_symlink(link).string(), "/dev/null");
  SimProcess sim;
  ASSERT_TRUE(sim.Start({"--com", "3", "--replace-link", "--link-dir", dir.Path().string()}));
  EXPECT_EQ(fs::read_symlink(link).string(), sim.SlavePath());
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  EXPECT_EQ(fs::read_symlink(link).string(), "/dev/null");
}

TEST(SimComLinkTest, RegularFileInTheWayIsAnError) {
  TempDir dir;
  WriteFile(dir.Path() / "com5", Bytes{0x41});
  SimProcess sim;
  EXPECT_FALSE(sim.Start({"--com", "5", "--link-dir", dir.Path().string()}));
  EXPECT_EQ(sim.WaitExit(milliseconds(2000)), 1);
  EXPECT_EQ(ReadFile(dir.Path() / "com5"), "A");
}

TEST(SimPortTest, ToolCanCloseAndReopenThePort) {
  SimProcess sim;
  ASSERT_TRUE(sim.Start({}));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Port port(sim.SlavePath());
    ASSERT_TRUE(port.IsOpen());
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
    Port port(sim.SlavePath());  // opened and closed again, as the tool does
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
  int exitStatus;
  std::string printed = "";  // how standard output starts
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
  *os << c.name;
}

class SimCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(SimCommandLineTest, EndsAtOnceWithStatus) {
  SimProcess sim;
  EXPECT_FALSE(sim.Start(GetParam().args));
  EXPECT_EQ(sim.WaitExit(milliseconds(2000)), GetParam().exitStatus);
  EXPECT_TRUE(sim.StdoutText().starts_with(GetParam().printed)) << sim.StdoutText();
  if (GetParam().args[0] == "--help") {
    for (const char* option :
         {"--com",        "--link-dir",       "--image",           "--save-image", "--firmware-out",
          "--noise",      "--corrupt-header", "--corrupt-data",    "--drop",       "--fragment",
          "--delay-ms",   "--baud",           "--bad-page-number", "--latency-ms", "--flood",
          "--flood-rate", "--flood-after",    "--flood-for",       "--verbose",    "--help",
          "--drop-every", "--garble-every",   "--silent-from",     "--late",       "--late-ms"}) {
      EXPECT_NE(sim.StdoutText().find(option), std::string::npos) << option;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimCommandLineTest,
    ::testing::Values(CommandLineCase{"Help", {"--help"}, 0, "Usage: vardex-sim"},
                      CommandLineCase{
                          "Version", {"--version"}, 0, "vardex-sim (VARDEX Configurator) "},
                      CommandLineCase{"UnknownOption", {"--colour"}, 2},
                      CommandLineCase{"MissingImage", {"--image", "/nonexistent/vardex.img"}, 2},
                      CommandLineCase{"ComZero", {"--com", "0"}, 2},
                      CommandLineCase{"ComTen", {"--com", "10"}, 2},
                      CommandLineCase{"MissingValue", {"--drop"}, 2},
                      CommandLineCase{"ReplyNumberZero", {"--drop", "0"}, 2},
                      CommandLineCase{"BrokenList", {"--corrupt-data", "2,,3"}, 2},
                      CommandLineCase{"NotANumber", {"--baud", "fast"}, 2},
                      CommandLineCase{"FloodOfNaks", {"--flood", "nak"}, 2},
                      CommandLineCase{"FloodRateZero", {"--flood", "ack", "--flood-rate", "0"}, 2},
                      CommandLineCase{"FloodForNothing", {"--flood=data", "--flood-for=0.0001"}, 2},
                      CommandLineCase{"FloodAfterWithoutFlood", {"--flood-after", "3"}, 2},
                      CommandLineCase{"LatencyOverASecond", {"--latency-ms", "1001"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vardex::sim
