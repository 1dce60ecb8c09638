// The vardex program against vardex-sim over a pseudo-terminal; with
// VARDEX_E2E_WINE set, the Windows vardex.exe under Wine through a COM name.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "config_image.h"
#include "factory_image.h"
#include "sim_launcher.h"
#include "vardex_process.h"

namespace vardex {
namespace {

using testing::RunVardex;
using testing::VardexRun;
using Bytes = std::vector<std::uint8_t>;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

std::string AsText(const ConfigImage& image) {
  return {image.bytes.begin(), image.bytes.end()};
}

bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
}

ConfigImage Factory() {
  ConfigImage image;
  vardex::sim::PutFactorySettings(image.bytes);
  StoreImageChecksum(image);
  return image;
}

// The factory image with `bytes` at `offset` and its checksum stored again.
ConfigImage FactoryWith(std::size_t offset, const Bytes& bytes) {
  ConfigImage image = Factory();
  std::copy(bytes.begin(), bytes.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  StoreImageChecksum(image);
  return image;
}

// Starts a simulator and names the port vardex is to use: its pty, or under
// Wine the COM name that the simulator links to its pty in the prefix (the
// tests run one after another, so one name does).
bool StartPort(vardex::sim::SimProcess& sim, std::vector<std::string> args, std::string& port) {
  const bool asCom =
      testing::UnderWine() && std::find(args.begin(), args.end(), "--com") == args.end();
  if (asCom)
    args.insert(args.end(), {"--com", "7", "--link-dir", testing::WineDosDevices()});
  if (!sim.Start(args))
    return false;
  port = asCom ? "COM7" : sim.SlavePath();
  return true;
}

class VardexAgainstSim : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vardex-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // The simulator saves what it is sent into "saved.img" and "firmware.out".
  void StartSim(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--save-image", Path("saved.img"), "--firmware-out",
                                  Path("firmware.out")};
    args.insert(args.end(), extra.begin(), extra.end());
    ASSERT_TRUE(StartPort(sim_, args, port_));
  }

  std::string dir_;
  vardex::sim::SimProcess sim_;
  std::string port_;
};

TEST_F(VardexAgainstSim, ReadThroughAComNameGivesTheSimulatorsImageByteForByte) {
  ConfigImage image = Factory();
  for (std::size_t i = 1552; i < ConfigImage::kSize; ++i)
    image.bytes[i] = static_cast<std::uint8_t>(i * 7);  // outside the checksum, still read
  WriteAll(Path("device.img"), AsText(image));
  ASSERT_EQ(mkdir(Path(".vardex").c_str(), 0700), 0);
  const std::string linkDir =
      testing::UnderWine() ? testing::WineDosDevices() : Path(".vardex/dosdevices");
  StartSim({"--image", Path("device.img"), "--com", "5", "--link-dir", linkDir});

  const VardexRun run = RunVardex({"read", "COM5", "-o", Path("out.img")}, dir_);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Path("out.img") + ": configuration read from COM5\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadAll(Path("out.img")), AsText(image));
  if (testing::UnderWine())
    return;  // a link in dosdevices is no registered port

  // The same name as "vardex ports" shows it.
  const VardexRun ports = RunVardex({"ports"}, dir_);
  EXPECT_EQ(ports.exitCode, 0);
  const std::string device = std::filesystem::canonical(port_).string();
  EXPECT_NE(ports.out.find("COM5: " + device + " (link in " + Path(".vardex/dosdevices") + ")\n"),
            std::string::npos)
      << ports.out;
}

TEST_F(VardexAgainstSim, WriteHoldsTheFileExactlyWithKeepAndButForTheClockWithPc) {
  // TX delay 600 instead of 300: the simulator starts from the factory image.
  const ConfigImage file = FactoryWith(12, {0x58, 0x02});
  WriteAll(Path("file.img"), AsText(file));
  StartSim();

  VardexRun run = RunVardex({"write", port_, Path("file.img"), "--clock", "keep"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            port_ + ": configuration written from " + Path("file.img") + " and verified\n");
  EXPECT_EQ(ReadAll(Path("saved.img")), AsText(file));

  run = RunVardex({"write", port_, Path("file.img")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string saved = ReadAll(Path("saved.img"));
  ASSERT_EQ(saved.size(), ConfigImage::kSize);
  const std::string sent = AsText(file);
  // Only the checksum and the five clock words may differ.
  for (std::size_t i = 4; i < ConfigImage::kSize; ++i) {
    if (i < 320 || i >= 340) {
      EXPECT_EQ(saved[i], sent[i]) << "byte " << i;
    }
  }
  const int year = static_cast<std::uint8_t>(saved[320]) | static_cast<std::uint8_t>(saved[321])
                                                               << 8;
  EXPECT_GE(year, 2026);
  EXPECT_LE(year, 2100);
}

// A backup holds whatever the device held, also in bytes no field shows
// (reserved bytes inside and outside the checksum): it goes back whole.
TEST_F(VardexAgainstSim, ABackupIsAlwaysRestorableAndTheWriteIsVerified) {
  ConfigImage device = Factory();
  device.bytes[1550] = 0x07;  // reserved, inside the checksum
  device.bytes[1600] = 0x5A;  // reserved, outside it
  device.bytes[1601] = 0xA5;
  StoreImageChecksum(device);
  WriteAll(Path("device.img"), AsText(device));
  StartSim({"--image", Path("device.img")});
  ASSERT_EQ(RunVardex({"read", port_, "-o", Path("backup.img")}).exitCode, 0);

  const VardexRun run = RunVardex({"write", port_, Path("backup.img"), "--clock", "keep"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "vardex: note: " + Path("backup.img") +
                         ": byte 1550, bytes 1600-1601 shown by no field, written back as read\n");
  EXPECT_EQ(run.out,
            port_ + ": configuration written from " + Path("backup.img") + " and verified\n");
  EXPECT_EQ(ReadAll(Path("saved.img")), AsText(device));
}

// A device that keeps a page differently from what it acknowledged: the
// read-back names the page, and the exit status says the device failed.
TEST_F(VardexAgainstSim, AWriteTheDeviceDoesNotKeepFailsVerificationNamingThePage) {
  WriteAll(Path("file.img"), AsText(Factory()));
  StartSim({"--store-differently", "2"});
  VardexRun run = RunVardex({"write", port_, Path("file.img"), "--clock", "keep"});
  EXPECT_EQ(run.exitCode, 3);
  // Byte 16 of page 2 is byte 272, inside the NTP server name (268 to 300).
  EXPECT_EQ(run.err, "vardex: " + port_ +
                         ": verification failed: the device holds page 2 (byte 272: [RTC/NTP "
                         "time] NTP server) differently from " +
                         Path("file.img") + "\n");
  EXPECT_EQ(run.out, "");
  run = RunVardex({"write", port_, Path("file.img"), "--clock", "keep", "--no-verify"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, port_ + ": configuration written from " + Path("file.img") + "\n");
}

// The device keeps byte 272 one higher: the image read back breaks its
// checksum, and the page by page compare still names where.
TEST_F(VardexAgainstSim, AReadBackWithABrokenChecksumStillNamesThePage) {
  WriteAll(Path("file.img"), AsText(Factory()));
  StartSim({"--store-wrong", "2"});
  const VardexRun run = RunVardex({"write", port_, Path("file.img"), "--clock", "keep"});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err, "vardex: " + port_ +
                         ": verification failed: the device holds page 2 (byte 272: [RTC/NTP "
                         "time] NTP server) differently from " +
                         Path("file.img") + "\n");
}

// --backup: the configuration is saved before the first firmware page; a
// backup that cannot be saved sends no firmware at all.
TEST_F(VardexAgainstSim, FlashWithBackupSavesTheConfigurationFirst) {
  WriteAll(Path("device.img"), AsText(Factory()));
  StartSim({"--image", Path("device.img")});
  WriteAll(Path("fw.bin"), std::string(300, '\xF0'));  // not text: a text file is refused
  VardexRun run = RunVardex(
      {"flash", port_, Path("fw.bin"), "--backup", Path("no-such-dir/backup.img"), "--quiet"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err.rfind("vardex: backup failed, firmware not uploaded: ", 0), 0u) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(Exists(Path("firmware.out")));
  run = RunVardex({"flash", port_, Path("fw.bin"), "--backup", Path("backup.img"), "--quiet"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Path("backup.img") + ": configuration read from " + port_ + "\n" + port_ +
                         ": firmware " + Path("fw.bin") + " sent (3 pages)\n");
  EXPECT_EQ(ReadAll(Path("backup.img")), AsText(Factory()));
  EXPECT_EQ(ReadAll(Path("firmware.out")).substr(0, 300), std::string(300, '\xF0'));
}

TEST_F(VardexAgainstSim, FlashGivesTheSimulatorTheFirmwarePaddedWithZeros) {
  StartSim();
  for (const std::size_t size : {1u, 256u, 300u, 237568u}) {
    std::string firmware(size, '\0');
    for (std::size_t i = 0; i < size; ++i) firmware[i] = static_cast<char>(i * 31 + 7);
    WriteAll(Path("fw.bin"), firmware);
    const VardexRun run = RunVardex({"flash", port_, Path("fw.bin"), "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::size_t pages = (size + 127) / 128;
    EXPECT_EQ(run.out, port_ + ": firmware " + Path("fw.bin") + " sent (" + std::to_string(pages) +
                           " pages)\n");
    firmware.resize(pages * 128, '\0');
    EXPECT_EQ(ReadAll(Path("firmware.out")), firmware) << size;
  }
}

TEST_F(VardexAgainstSim, AVanishedDeviceEndsTheTransferNamingThePageAndSendsNothingMore) {
  struct Case {
    std::vector<std::string> args;
    std::string drop;
    std::string page;
  };
  // The written image differs from the simulator's in page 1 (server 1 port 14581).
  const ConfigImage file = FactoryWith(192, {0xF5, 0x38});
  WriteAll(Path("file.img"), AsText(file));
  WriteAll(Path("fw.bin"), std::string(1000, '\xF0'));
  const Case cases[] = {
      {{"read", "PORT", "-o", Path("out.img")}, "3", "3 of 16"},
      {{"write", "PORT", Path("file.img"), "--clock=keep"}, "1", "1 of 16"},
      {{"flash", "PORT", Path("fw.bin")}, "2", "2 of 8"},
  };
  for (const Case& c : cases) {
    vardex::sim::SimProcess sim;
    std::filesystem::remove(Path("saved.img"));
    std::filesystem::remove(Path("firmware.out"));
    std::string port;
    ASSERT_TRUE(StartPort(sim,
                          {"--silent-from", c.drop, "--save-image", Path("saved.img"),
                           "--firmware-out", Path("firmware.out")},
                          port));
    std::vector<std::string> args = c.args;
    args[1] = port;
    args.insert(args.end(), {"--timeout", "0.4"});
    const VardexRun run = RunVardex(args);
    EXPECT_EQ(run.exitCode, 3) << c.args[0];
    EXPECT_EQ(run.err, "vardex: " + port + ": no reply to page " + c.page +
                           " within 0.4 s; check the cable, that the device is powered and in "
                           "its configuration mode, and that " +
                           port + " is its port\n");
    EXPECT_EQ(run.out, "");
  }
  // The read left no file; the write stopped after page 0 (page 1 is still
  // the simulator's); the upload after page 1.
  EXPECT_FALSE(Exists(Path("out.img")));
  WriteAll(Path("fw.expected"), std::string(1000, '\xF0').substr(0, 256));
  EXPECT_EQ(ReadAll(Path("firmware.out")), ReadAll(Path("fw.expected")));
}

TEST_F(VardexAgainstSim, WriteToAVanishedDeviceStopsAtThePageItWaitsFor) {
  const ConfigImage file = FactoryWith(192, {0xF5, 0x38});
  WriteAll(Path("file.img"), AsText(file));
  StartSim({"--silent-from", "1"});
  const VardexRun run =
      RunVardex({"write", port_, Path("file.img"), "--clock", "keep", "--timeout", "0.3"});
  EXPECT_EQ(run.exitCode, 3);
  const std::string saved = ReadAll(Path("saved.img"));
  const std::string factory = AsText(Factory());
  const std::string sent = AsText(file);
  EXPECT_EQ(saved.substr(0, 128), sent.substr(0, 128));  // page 0 went out
  EXPECT_EQ(saved.substr(128), factory.substr(128));     // nothing after it
}

// An upload on a line that loses every third acknowledgement, with one
// answered twice, late (the window's tests cover reads and writes): every
// page arrives once as sent, and --verbose counts the pages asked again.
TEST_F(VardexAgainstSim, ANoisyLineIsAskedAgainAndTheUploadCompletes) {
  std::string firmware(1000, '\0');
  for (std::size_t i = 0; i < firmware.size(); ++i) firmware[i] = static_cast<char>(i * 5 + 1);
  WriteAll(Path("fw.bin"), firmware);
  StartSim({"--drop-every", "3", "--late", "4"});
  const VardexRun run = RunVardex({"flash", port_, Path("fw.bin"), "--force", "--verbose"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, port_ + ": firmware " + Path("fw.bin") + " sent (8 pages)\n");
  EXPECT_NE(run.err.find("No reply to page 2, asking again (2 of 3).\n"), std::string::npos)
      << run.err;
  const std::size_t summary = run.err.find("flash: 8 of 8 pages in ");
  ASSERT_NE(summary, std::string::npos) << run.err;
  const std::string line = run.err.substr(summary, run.err.find('\n', summary) - summary);
  EXPECT_TRUE(line.ends_with(" asked for again") && !line.ends_with(" 0 asked for again")) << line;
  EXPECT_EQ(ReadAll(Path("firmware.out")), firmware + std::string(24, '\0'));
}

TEST_F(VardexAgainstSim, BadFilesAndBrokenRulesAreRefusedAndNothingIsSent) {
  struct Case {
    std::string name;
    std::string contents;
    std::string message;
  };
  ConfigImage noChecksum;
  noChecksum.bytes[4] = 0x41;
  auto u32 = [](std::uint32_t v) {
    return Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                 static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  };
  const Case cases[] = {
      {"short.img", std::string(2047, '\0'), "2047 bytes, but an image file holds exactly 2048"},
      {"long.img", std::string(2049, '\0'), "2049 bytes, but an image file holds exactly 2048"},
      {"sum.img", AsText(noChecksum),
       "checksum error (bytes 0 to 3 hold 0x00000000, bytes 4 to 1551 add up to 0x00000041)"},
      // One broken rule on every page that an image byte can break.
      {"radio.img", AsText(FactoryWith(12, u32(5))), "Preamble len - range error (200 - 1000)."},
      {"digi.img", AsText(FactoryWith(24, u32(5))), "Antiflood timeout - range error (15 - 180)."},
      {"beacons.img", AsText(FactoryWith(446, {8})), "Beacon 2 path, N value range error (1 - 7)."},
      {"aprsis.img", AsText(FactoryWith(192, u32(70000))),
       "APRS-IS Server 1 Port - range error (0 - 65535)."},
      {"weather.img", AsText(FactoryWith(72, u32(2))),
       "Weather report tx rate (RF) range error (5 - 1440)."},
      {"telemetry.img", AsText(FactoryWith(1288, u32(2))),
       "Telemeetry data tx rate (RF) range error (5 - 1440)."},
      // Hand-made: a list index beyond the list.
      {"ptt.img", AsText(FactoryWith(47, {7})),
       "the window would not send this image as it is; it differs in:\n  byte 47: [Radio] PTT"},
  };
  StartSim();
  for (const Case& c : cases) {
    WriteAll(Path(c.name), c.contents);
    const VardexRun run = RunVardex({"write", port_, Path(c.name)});
    EXPECT_EQ(run.exitCode, 2) << c.name;
    EXPECT_EQ(run.err, "vardex: " + Path(c.name) + ": " + c.message + "\n");
  }
  const std::string notFirmware = ", not a firmware; nothing sent (--force sends it all the same)";
  const struct {
    std::string name;
    std::string contents;
    std::string message;
  } firmwares[] = {
      {"big.bin", std::string(237569, 'x'),
       "Firmware file too long: 237569 bytes, at most 237568."},
      {"missing.bin", "", "cannot open (No such file or directory)"},
      {"folder", "", "is a folder, not a file"},
      {"empty.bin", "", "Firmware file is empty."},
      {"backup.img", AsText(Factory()), "this file is a configuration image" + notFirmware},
      {"notes.txt", "[Radio]\r\nCallsign = VX1SIM\r\n", "this file is a text file" + notFirmware},
      {"fifo", "", "not a regular file"},
  };
  std::filesystem::create_directory(Path("folder"));
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  for (const auto& f : firmwares) {
    if (!f.contents.empty() || f.name == "empty.bin")
      WriteAll(Path(f.name), f.contents);
    if (testing::UnderWine() && f.name == "fifo")
      continue;  // Windows has no FIFO to name
    const VardexRun run = RunVardex({"flash", port_, Path(f.name)});
    EXPECT_EQ(run.exitCode, 2) << f.name;
    EXPECT_EQ(run.err, "vardex: " + Path(f.name) + ": " + f.message + "\n");
  }
  EXPECT_FALSE(Exists(Path("saved.img")));
  EXPECT_FALSE(Exists(Path("firmware.out")));
}

TEST_F(VardexAgainstSim, AReadWhoseImageChecksumFailsLeavesNoFile) {
  ConfigImage image = Factory();
  image.bytes[1551] ^= 1;
  WriteAll(Path("device.img"), AsText(image));
  WriteAll(Path("out.img"), "an older backup");
  StartSim({"--image", Path("device.img")});
  const VardexRun run = RunVardex({"read", port_, "-o", Path("out.img")});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err, "vardex: " + port_ +
                         ": Eeprom read checksum error. Please upload new eeprom data to device.\n"
                         "The device holds no valid configuration, as a new or erased one does, "
                         "so there is nothing on it to back up: write the start-up values (vardex "
                         "defaults -o start.img, then vardex write " +
                         port_ +
                         " start.img) or a configuration file of yours, then read it again.\n");
  EXPECT_EQ(ReadAll(Path("out.img")), "an older backup");
}

// The files hold passwords: each is its owner's alone whatever the umask,
// and a file replaced keeps the mode it had.
TEST_F(VardexAgainstSim, FactoryImageSurvivesExportAndImport) {
  StartSim();
  const mode_t umaskBefore = ::umask(022);
  ASSERT_EQ(RunVardex({"read", port_, "-o", Path("a.img")}).exitCode, 0);
  ASSERT_EQ(RunVardex({"export", Path("a.img"), "-o", Path("a.txt")}).exitCode, 0);
  WriteAll(Path("b.img"), "an older image");
  ASSERT_EQ(::chmod(Path("b.img").c_str(), 0640), 0);
  const VardexRun run = RunVardex({"import", Path("a.txt"), "-o", Path("b.img")});
  ::umask(umaskBefore);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::pair<std::string, mode_t> modes[] = {
      {"a.img", 0600}, {"a.txt", 0600}, {"b.img", 0640}};
  for (const auto& [name, mode] : modes) {
    struct stat file {};
    ASSERT_EQ(::stat(Path(name).c_str(), &file), 0);
    if (!testing::UnderWine()) {
      EXPECT_EQ(file.st_mode & 0777, mode) << name;
    }
  }
  EXPECT_EQ(ReadAll(Path("b.img")), ReadAll(Path("a.img")));
  EXPECT_EQ(RunVardex({"diff", Path("a.img"), Path("b.img")}).out, "");
  EXPECT_EQ(RunVardex({"check", Path("b.img")}).out, Path("b.img") + ": ok\n");
}

// --strict turns the station check's notes into a failure for scripts; the
// simulator's factory image follows common practice, the start-up values
// (NOCALL, the start-up passwords...) do not.
TEST_F(VardexAgainstSim, CheckStrictFailsOnNotesOnly) {
  WriteAll(Path("factory.img"), AsText(Factory()));
  ASSERT_EQ(RunVardex({"defaults", "-o", Path("startup.img")}).exitCode, 0);
  const struct {
    const char* file;
    bool strict;
    int exitCode;
  } cases[] = {{"factory.img", true, 0}, {"startup.img", false, 0}, {"startup.img", true, 4}};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"check", Path(c.file)};
    if (c.strict)
      args.emplace_back("--strict");
    const VardexRun run = RunVardex(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.file << " " << run.out;
    EXPECT_EQ(run.out.starts_with(Path(c.file) + ": ok\n"), true) << run.out;
  }
  EXPECT_NE(RunVardex({"check", Path("startup.img")})
                .out.find("\n" + Path("startup.img") + ": 8 notes on this configuration"),
            std::string::npos);
}

// Each beacon that is on, as the device sends it and as the network reads
// it: the start-up one is a position with time stamp; a text without data
// type, sent to APRS-IS only, is dropped by every reader.
TEST_F(VardexAgainstSim, BeaconsPrintsEachBeaconAsSentAndAsRead) {
  WriteAll(Path("b.txt"), "[Beacons]\nBeacon 2 Message = VARDEX digi\nBeacon 2 RF = no\n");
  ASSERT_EQ(RunVardex({"import", Path("b.txt"), "-o", Path("b.img")}).exitCode, 0);
  const VardexRun run = RunVardex({"beacons", Path("b.img")});
  EXPECT_EQ(run.exitCode, 0);
  const std::regex expected(
      "Beacon 1 \\(RF and APRS-IS\\): NOCALL>APVDX1,WIDE2-2:@[0-3][0-9][0-2][0-9][0-5][0-9]z"
      "5221\\.60N/01653\\.63E-VARDEX Test\\.\n"
      "  position with time stamp, symbol House \\(/-\\)\n"
      "Beacon 2 \\(APRS-IS\\): NOCALL>BEACON,WIDE2-2:VARDEX digi\n"
      "  not readable: it starts with \"V\", which is no APRS data type: readers drop it\n"
      "  To do: Type > first for a status text, or =<lat>/<long>- first for a position\\.\n");
  EXPECT_TRUE(std::regex_match(run.out, expected)) << run.out;
  EXPECT_NE(RunVardex({"beacons", Path("b.img"), "--json"})
                .out.find("\"number\": 2, \"rf\": false, \"aprs_is\": true, \"packet\": "
                          "\"NOCALL>BEACON,WIDE2-2:VARDEX digi\", \"verdict\": \"refused\""),
            std::string::npos);
}

// A value the rules refuse names the line that set it; one the text leaves
// out (here from the start-up state) has no line to name.
TEST_F(VardexAgainstSim, ImportNamesTheLineOfAFieldThatBreaksItsRule) {
  WriteAll(Path("a.txt"), "# edited by hand\n[Radio]\nTX delay [ms] = 5\n");
  VardexRun run = RunVardex({"import", Path("a.txt"), "-o", Path("a.img")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "vardex: " + Path("a.txt") +
                         ":3: [Radio] TX delay [ms]: Preamble len - range error (200 - 1000).\n");
  EXPECT_FALSE(Exists(Path("a.img")));

  // Too long for the field: refused, never cut.
  WriteAll(Path("b.txt"), "[Radio]\nCallsign = VX2ABCDEF\n");
  run = RunVardex({"import", Path("b.txt"), "-o", Path("b.img")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "vardex: " + Path("b.txt") +
                         ":2: [Radio] Callsign: \"VX2ABCDEF\" does not fit its field, which "
                         "would keep \"VX2ABC\"\n");
  EXPECT_FALSE(Exists(Path("b.img")));
}

const std::string kWeatherEvery2 =
    "The weather report goes out on RF every 2 minutes, more often than common practice (at most "
    "once every 10 minutes); the channel is shared by a whole region.";
const std::string kWeatherToDo =
    "Send it every 10 to 30 minutes on RF; fast weather feeds go by APRS-IS.";
const std::string kWeatherSource =
    "WB4APR on APRSSIG (Aug 2008): weather about every 5 minutes while it changes, decaying to "
    "30; aprs.cz: weather stations every 10-20 min; Kansas City APRS, Standards: every 30 min on "
    "RF";

TEST_F(VardexAgainstSim, CheckAndDiffSpeakJsonForScripts) {
  const ConfigImage factory = Factory();
  ConfigImage broken = FactoryWith(12, {5, 0, 0, 0});  // TX delay 5
  broken.PutU32(72, 2);                                // weather report RF rate 2
  StoreImageChecksum(broken);
  WriteAll(Path("a.img"), AsText(factory));
  WriteAll(Path("b.img"), AsText(broken));

  VardexRun run = RunVardex({"check", Path("b.img"), "--all", "--json"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out,
            "{\"file\": \"" + Path("b.img") +
                "\", \"ok\": false, \"checksum_ok\": true, \"failures\": [\"Preamble len - "
                "range error (200 - 1000).\", \"Weather report tx rate (RF) range error (5 "
                "- 1440).\"], \"differences\": [], \"notes\": [{\"field\": "
                "\"weather.report.rateRf\", \"place\": \"Weather, Weather report Rate [RF] "
                "(weather.report.rateRf)\", \"on_air\": \"" +
                kWeatherEvery2 + "\", \"to_do\": \"" + kWeatherToDo + "\", \"source\": \"" +
                kWeatherSource + "\"}]}\n");
  // The station check's notes follow the rules' failures; the status is the rules'.
  run = RunVardex({"check", Path("b.img")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, Path("b.img") + ": Preamble len - range error (200 - 1000).\n" +
                         Path("b.img") +
                         ": 1 note on this configuration (the station check's advice; the rules "
                         "above decide the write):\nWeather, Weather report Rate [RF] "
                         "(weather.report.rateRf)\n  On the air: " +
                         kWeatherEvery2 + "\n  To do: " + kWeatherToDo +
                         "\n  Source: " + kWeatherSource + "\n");

  run = RunVardex({"diff", Path("a.img"), Path("b.img"), "--json"});
  EXPECT_EQ(run.exitCode, 1);  // as diff and cmp: the images differ
  EXPECT_EQ(run.out,
            "{\"a\": \"" + Path("a.img") + "\", \"b\": \"" + Path("b.img") +
                "\", \"same_bytes\": false, \"fields\": [\n"
                "  {\"page\": \"Radio\", \"label\": \"TX delay [ms]\", \"a\": \"300\", "
                "\"b\": \"5\"},\n"
                "  {\"page\": \"Weather\", \"label\": \"Weather report Rate [RF]\", \"a\": "
                "\"30\", \"b\": \"2\"}]}\n");
  run = RunVardex({"diff", Path("a.img"), Path("b.img")});
  EXPECT_EQ(run.out,
            "[Radio] TX delay [ms]: 300 -> 5\n[Weather] Weather report Rate [RF]: 30 -> 2\n");

  // The place of the factory's 5005.32N 01956.18E: 50 + 5.32 / 60 = 50.08867 and
  // 19 + 56.18 / 60 = 19.93633 degrees; 199.936 E of 180 W: field J, square 9,
  // 1.936 x 12 = 23.2: x; 140.089 N of the pole: O, 0, 0.0887 x 24 = 2.1: c.
  run = RunVardex({"show", Path("a.img"), "--json"});
  EXPECT_TRUE(run.out.starts_with("{\"file\": \"" + Path("a.img") +
                                  "\", \"checksum_ok\": true, \"position\": {\"locator\": "
                                  "\"JO90xc\", \"latitude\": 50.08867, \"longitude\": "
                                  "19.93633}, \"pages\": [\n"))
      << run.out;
}

// A COM name with a link means that link, even when the adapter behind it
// is unplugged or the folder is open to others: no other port is opened.
TEST_F(VardexAgainstSim, ALinkThatLeadsNowhereIsNotReplacedByAnotherPort) {
  StartSim({"--com", "2", "--link-dir", Path(".vardex/dosdevices")});
  const std::string links = Path(".vardex/dosdevices");
  ASSERT_EQ(symlink("/dev/ttyVARDEXGONE", (links + "/com1").c_str()), 0);
  VardexRun run = RunVardex({"read", "COM1", "-o", Path("out.img")}, dir_);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err,
            "vardex: COM1: COM1 is linked to /dev/ttyVARDEXGONE, which is not present: plug the "
            "adapter in, or change the link (~/.vardex/dosdevices/com1).\n");
  run = RunVardex({"ports"}, dir_);
  EXPECT_NE(run.out.find("COM1: linked to /dev/ttyVARDEXGONE, which is not present\n"),
            std::string::npos)
      << run.out;
  ASSERT_EQ(chmod(links.c_str(), 0777), 0);
  run = RunVardex({"read", "COM2", "-o", Path("out.img")}, dir_);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(run.err.starts_with("vardex: COM2: COM2 is linked to ")) << run.err;
  EXPECT_FALSE(Exists(Path("out.img")));
}

TEST(VardexProgram, PortsThatCannotBeUsedAndUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  const Case cases[] = {
      {{"read", "/nonexistent/ttyX", "-o", "/tmp/never.img"},
       3,
       "vardex: /nonexistent/ttyX: The device behind /nonexistent/ttyX is gone. Plug the adapter "
       "in again, wait a moment, then run the command.\n"},
      {{"read", "COM9", "-o", "/tmp/never.img"},
       3,
       "vardex: COM9: COM9 is not linked to any device. Plug in the adapter, or link the name to "
       "it (for example: vardex link COM9 /dev/ttyUSB0).\nThe COM names lead to:\nCOM1: "},
      // A name in lower case is the COM name; one beyond COM9 is no device that is gone.
      {{"read", "com9", "-o", "/tmp/never.img"},
       3,
       "vardex: com9: COM9 is not linked to any device. Plug in the adapter, or link the name to "
       "it (for example: vardex link COM9 /dev/ttyUSB0).\nThe COM names lead to:\nCOM1: "},
      {{"read", "COM10", "-o", "/tmp/never.img"},
       3,
       "vardex: COM10: COM10 is not a COM name vardex can open: give COM1 to COM9 (\"vardex "
       "ports\" says where each leads) or a device path such as /dev/ttyUSB0.\n"},
      {{"read", "com0", "-o", "/tmp/never.img"},
       3,
       "vardex: com0: com0 is not a COM name vardex can open: give COM1 to COM9 (\"vardex ports\" "
       "says where each leads) or a device path such as /dev/ttyUSB0.\n"},
      {{"link", "COM3", "/dev/null"}, 3, "vardex: /dev/null is not a serial device\n"},
      {{"link", "COM3", "/dev/tty"}, 3, "vardex: /dev/tty is a console, not a serial device\n"},
      {{"read"}, 1, "vardex: read wants 1 argument(s), not 0\nTry \"vardex --help\".\n"},
      {{"frobnicate"}, 1, "vardex: unknown command \"frobnicate\"\nTry \"vardex --help\".\n"},
  };
  for (const Case& c : cases) {
    // An empty home: no COM links, and COM9 is beyond the system's ports.
    const VardexRun run = RunVardex(c.args, "/nonexistent-home");
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
    // What the COM names lead to differs between machines.
    if (c.err.ends_with("COM1: ")) {
      EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    } else {
      EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(Exists("/tmp/never.img"));
  const VardexRun help = RunVardex({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("vardex - command-line companion of the VARDEX Configurator\n"));
}

}  // namespace
}  // namespace vardex
