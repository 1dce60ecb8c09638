// Page writes, reads and firmware pages against the running simulator, with
// the frames written out byte for byte.
#include <gtest/gtest.h>

#include <string_view>
#include <thread>

#include "sim_process.h"

namespace vardex::sim {
namespace {

constexpr auto kReplyLimit = milliseconds(2000);
constexpr auto kQuiet = milliseconds(300);

const Bytes kImageAck{0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81};
const Bytes kFirmwareAck{0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41};
const Bytes kReadPage3{0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93};

// Data that holds 0xFF bytes and reply codes, so a parser that mistakes data
// for a marker is caught.
Bytes PatternPage(int page) {
  Bytes data(128);
  for (int i = 0; i < 128; ++i) data[i] = static_cast<std::uint8_t>(page * 37 + i * 11 + 0xF0);
  data[5] = 0xFF;
  data[6] = 0x81;
  return data;
}

std::uint32_t ChecksumField(const Bytes& image) {
  return image[0] | image[1] << 8 | image[2] << 16 | static_cast<std::uint32_t>(image[3]) << 24;
}

std::uint32_t SumOfBytes4To1551(const Bytes& image) {
  std::uint32_t sum = 0;
  for (std::size_t i = 4; i <= 1551; ++i) sum += image[i];
  return sum;
}

Bytes ReadWholeImage(Port& port) {
  Bytes image;
  for (std::uint8_t p = 0; p < 16; ++p) {
    EXPECT_TRUE(port.Write(
        Bytes{0xFF, 0x90, 0x00, p, 0x00, 0x00, 0x00, static_cast<std::uint8_t>(0x90 + p)}));
    const Bytes reply = port.Read(136, kReplyLimit);
    EXPECT_EQ(reply.size(), 136u) << "page " << int(p);
    if (reply.size() != 136)
      return {};
    image.insert(image.end(), reply.begin() + 8, reply.end());
  }
  return image;
}

class SimProtocolTest : public ::testing::Test {
 protected:
  TempDir dir;
  SimProcess sim;
};

TEST(SimTestFrames, HeaderBuilderMatchesTheFrameTable) {
  EXPECT_EQ(Header(0x90, 3, 0), kReadPage3);
  EXPECT_EQ(Header(0x40, 5, 0x1234), (Bytes{0xFF, 0x40, 0x00, 0x05, 0x12, 0x34, 0x00, 0x8B}));
  EXPECT_EQ(Header(0x40, 1855, 0xFFFF), (Bytes{0xFF, 0x40, 0x07, 0x3F, 0xFF, 0xFF, 0x00, 0x84}));
  EXPECT_EQ(Header(0x80, 15, 0x7F80), (Bytes{0xFF, 0x80, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x8E}));
  EXPECT_EQ(Header(0x91, 1, 0), (Bytes{0xFF, 0x91, 0x00, 0x01, 0x00, 0x00, 0x00, 0x92}));
  EXPECT_EQ(Sum16(Bytes(128, 0xFF)), 0x7F80);
}

TEST_F(SimProtocolTest, SixteenPagesWrittenAreReadBackAndSaved) {
  const auto saved = dir.Path() / "saved.bin";
  ASSERT_TRUE(sim.Start({"--save-image", saved.string()}));
  Port port(sim.SlavePath());
  ASSERT_TRUE(port.IsOpen());

  Bytes written;
  for (int p = 0; p < 16; ++p) {
    const Bytes data = PatternPage(p);
    ASSERT_TRUE(port.Write(Concat(Header(0x80, static_cast<std::uint16_t>(p), Sum16(data)), data)));
    EXPECT_EQ(port.Read(8, kReplyLimit), kImageAck) << "page " << p;
    written.insert(written.end(), data.begin(), data.end());
  }
  EXPECT_EQ(ReadFile(saved), std::string(written.begin(), written.end()));

  for (int p = 0; p < 16; ++p) {
    const std::uint8_t page = static_cast<std::uint8_t>(p);
    ASSERT_TRUE(port.Write(
        Bytes{0xFF, 0x90, 0x00, page, 0x00, 0x00, 0x00, static_cast<std::uint8_t>(0x90 + page)}));
    const Bytes data = PatternPage(p);
    EXPECT_EQ(port.Read(136, kReplyLimit), Concat(Header(0x91, page, Sum16(data)), data))
        << "page " << p;
  }
}

TEST_F(SimProtocolTest, LiteralFramesOfTheTable) {
  ASSERT_TRUE(sim.Start({}));
  Port port(sim.SlavePath());

  // Image page 15 of 0xFF bytes, image page 1 of zero bytes.
  ASSERT_TRUE(
      port.Write(Concat({0xFF, 0x80, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x8E}, Bytes(128, 0xFF))));
  EXPECT_EQ(port.Read(8, kReplyLimit), kImageAck);
  ASSERT_TRUE(
      port.Write(Concat({0xFF, 0x80, 0x00, 0x01, 0x00, 0x00, 0x00, 0x81}, Bytes(128, 0x00))));
  EXPECT_EQ(port.Read(8, kReplyLimit), kImageAck);

  ASSERT_TRUE(port.Write(Bytes{0xFF, 0x90, 0x00, 0x01, 0x00, 0x00, 0x00, 0x91}));
  EXPECT_EQ(port.Read(136, kReplyLimit),
            Concat({0xFF, 0x91, 0x00, 0x01, 0x00, 0x00, 0x00, 0x92}, Bytes(128, 0x00)));
  ASSERT_TRUE(port.Write(Bytes{0xFF, 0x90, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x9F}));
  EXPECT_EQ(port.Read(136, kReplyLimit),
            Concat({0xFF, 0x91, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x9F}, Bytes(128, 0xFF)));
}

TEST_F(SimProtocolTest, BuiltInImageHasAValidChecksum) {
  ASSERT_TRUE(sim.Start({}));
  Port port(sim.SlavePath());
  const Bytes image = ReadWholeImage(port);
  ASSERT_EQ(image.size(), 2048u);
  EXPECT_EQ(ChecksumField(image), SumOfBytes4To1551(image));
  EXPECT_NE(ChecksumField(image), 0u);
}

// Text bytes as the image holds them, the zero byte included.
Bytes Chars(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0x00);
  return bytes;
}

struct FactoryField {
  const char* name;
  std::size_t offset;
  Bytes bytes;
};

// A few fields of the built-in image, one per page, as the configurator's
// image map lays them out.
const FactoryField kFactoryFields[] = {
    {"callsign VX1SIM, SSID 2 as a digit", 4, {0x56, 0x58, 0x31, 0x53, 0x49, 0x4D, 0x32, 0x00}},
    {"TX delay 300, quiet time 500", 12, {0x2C, 0x01, 0x00, 0x00, 0xF4, 0x01, 0x00, 0x00}},
    {"digipeater on, duplicate checking 30", 20, {0x01, 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00}},
    {"latitude", 28, Chars("5005.32N")},
    {"longitude", 37, Chars("01956.18E")},
    {"PTT, busy detection, reserved, station type", 47, {0x01, 0x01, 0x00, 0x00, 0x00, 0x07}},
    {"weather report N 1, n 1, rates 30 and 10",
     67,
     {0x01, 0x01, 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}},
    {"APRS-IS gating RF on, messages off", 152, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {"APRS-IS server 1", 160, Chars("rotate.aprs2.net")},
    {"APRS-IS server 1 port 14580", 192, {0xF4, 0x38, 0x00, 0x00}},
    {"NTP on and its server", 268, Concat({0x01}, Chars("europe.pool.ntp.org"))},
    {"address, gateway, mask, DNS, reserved",
     301,
     {0xC0, 0xA8, 0x01, 0x32, 0xC0, 0xA8, 0x01, 0x01, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01,
      0x01, 0x00, 0x00, 0x00}},
    {"beacon 1 dest and path", 340, Concat(Chars("APVDX10"), {0x57, 0x49, 0x44, 0x45, 0x00, 0x00})},
    {"beacon 1 N 1, n 2, rates 30 and 10",
     354,
     {0x01, 0x02, 0x1E, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}},
    {"beacon 1 message", 364, Chars("@<date>z<lat>/<long>-VX1SIM VARDEX simulator")},
    {"beacon 1 switches, unused last byte", 429, {0x01, 0x01, 0x00}},
    {"beacon 2 dest", 432, Chars("BEACON0")},
    {"digipeater path 1 WIDE 1..2 traceable active",
     1076,
     {0x57, 0x49, 0x44, 0x45, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x01, 0x01}},
    {"digipeater path 8 unnamed 1..7",
     1160,
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00}},
    {"web user and password", 1172,
     Concat(Concat(Chars("sysop"), Bytes(7, 0x00)), Chars("radio73"))},
    {"web token of sysop:radio73", 1198, Chars("c3lzb3A6cmFkaW83Mw==")},
    {"web port 8080", 1238, {0x90, 0x1F}},
    {"telnet port 2323, telemetry on", 1266, {0x13, 0x09, 0x01}},
    {"telemetry data switches before rates 15 and 15",
     1285,
     {0x01, 0x01, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00}},
    {"channel 5 coefficient C, average on, reserved",
     1539,
     {0x2D, 0x36, 0x34, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}},
};

TEST_F(SimProtocolTest, BuiltInImageHoldsAFactoryConfiguration) {
  ASSERT_TRUE(sim.Start({}));
  Port port(sim.SlavePath());
  const Bytes image = ReadWholeImage(port);
  ASSERT_EQ(image.size(), 2048u);
  for (const FactoryField& field : kFactoryFields) {
    const auto first = image.begin() + static_cast<std::ptrdiff_t>(field.offset);
    EXPECT_EQ(Bytes(first, first + static_cast<std::ptrdiff_t>(field.bytes.size())), field.bytes)
        << field.name;
  }
  EXPECT_EQ(Bytes(image.begin() + 1552, image.end()), Bytes(496, 0x00));
}

TEST_F(SimProtocolTest, ImageFileIsServed) {
  Bytes image(2048);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const auto file = dir.Path() / "image.bin";
  WriteFile(file, image);
  ASSERT_TRUE(sim.Start({"--image", file.string()}));
  Port port(sim.SlavePath());
  EXPECT_EQ(ReadWholeImage(port), image);
}

// A file that is no image is refused rather than served as the built-in one;
// only an image kept between runs (--image and --save-image one file) that
// is not saved yet starts from the built-in image.
TEST_F(SimProtocolTest, ImageFileOfWrongSizeIsRefusedButAKeptImageMayNotExistYet) {
  const auto file = dir.Path() / "short.bin";
  WriteFile(file, Bytes(100, 0x55));
  EXPECT_FALSE(sim.Start({"--image", file.string()}));
  EXPECT_EQ(sim.WaitExit(milliseconds(2000)), 2);

  const auto kept = (dir.Path() / "kept.img").string();
  SimProcess keptSim;
  ASSERT_TRUE(keptSim.Start({"--image", kept, "--save-image", kept}));
  Port port(keptSim.SlavePath());
  const Bytes image = ReadWholeImage(port);
  ASSERT_EQ(image.size(), 2048u);
  EXPECT_EQ(ChecksumField(image), SumOfBytes4To1551(image));
}

TEST_F(SimProtocolTest, FirmwarePagesArriveInTheFirmwareFile) {
  const auto out = dir.Path() / "firmware.bin";
  ASSERT_TRUE(sim.Start({"--firmware-out", out.string()}));
  Port port(sim.SlavePath());

  for (int p = 0; p < 2; ++p) {
    const Bytes data = PatternPage(p + 20);
    ASSERT_TRUE(port.Write(Concat(Header(0x40, static_cast<std::uint16_t>(p), Sum16(data)), data)));
    EXPECT_EQ(port.Read(8, kReplyLimit), kFirmwareAck);
  }
  EXPECT_EQ(ReadFile(out).size(), 256u);

  // Firmware page 5 whose data sum is 1234: 18 x FF + 46 = 4660 = 0x1234.
  Bytes page5(128, 0x00);
  for (int i = 0; i < 18; ++i) page5[i] = 0xFF;
  page5[18] = 0x46;
  ASSERT_TRUE(port.Write(Concat({0xFF, 0x40, 0x00, 0x05, 0x12, 0x34, 0x00, 0x8B}, page5)));
  EXPECT_EQ(port.Read(8, kReplyLimit), kFirmwareAck);

  Bytes expected = Concat(PatternPage(20), PatternPage(21));
  expected.resize(5 * 128, 0x00);  // pages 2 to 4 were never sent
  expected = Concat(expected, page5);
  const std::string file = ReadFile(out);
  EXPECT_EQ(file, std::string(expected.begin(), expected.end()));
}

// Frames the device must ignore; after each, it still answers a good request.
struct RejectCase {
  const char* name;
  Bytes frame;
};

void PrintTo(const RejectCase& c, std::ostream* os) {
  *os << c.name;
}

class SimRejectTest : public SimProtocolTest, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(SimRejectTest, NoReplyAndStillInStep) {
  const auto saved = dir.Path() / "saved.bin";
  ASSERT_TRUE(sim.Start({"--save-image", saved.string()}));
  Port port(sim.SlavePath());
  ASSERT_TRUE(port.Write(GetParam().frame));
  EXPECT_TRUE(port.StaysSilent(kQuiet));
  EXPECT_FALSE(std::filesystem::exists(saved)) << "nothing may be stored";

  ASSERT_TRUE(port.Write(kReadPage3));
  const Bytes reply = port.Read(136, kReplyLimit);
  ASSERT_EQ(reply.size(), 136u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{0xFF, 0x91, 0x00, 0x03}));
}

Bytes WithBadSum() {
  // Page 2 of 128 x 01 sums to 0080; the header claims 0081.
  return Concat({0xFF, 0x80, 0x00, 0x02, 0x00, 0x81, 0x00, 0x03}, Bytes(128, 0x01));
}

INSTANTIATE_TEST_SUITE_P(
    Frames, SimRejectTest,
    ::testing::Values(
        RejectCase{"ReadRequestWithBadCheck", {0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x94}},
        RejectCase{"ImagePageWithBadDataSum", WithBadSum()},
        RejectCase{"ImagePageWithBadCheck",
                   Concat({0xFF, 0x80, 0x00, 0x02, 0x00, 0x80, 0x00, 0x03}, Bytes(128, 0x01))},
        RejectCase{"ReadRequestForPage16", {0xFF, 0x90, 0x00, 0x10, 0x00, 0x00, 0x00, 0xA0}},
        RejectCase{"ImagePage16",
                   Concat({0xFF, 0x80, 0x00, 0x10, 0x00, 0x00, 0x00, 0x90}, Bytes(128, 0x00))},
        RejectCase{"FirmwarePage1856",
                   Concat({0xFF, 0x40, 0x07, 0x40, 0x00, 0x00, 0x00, 0x87}, Bytes(128, 0x00))},
        RejectCase{"UnknownCode", {0xFF, 0x50, 0x00, 0x01, 0x00, 0x00, 0x00, 0x51}},
        RejectCase{"DeviceReplyCode", {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81}},
        RejectCase{"NoiseOnly", {0x00, 0x12, 0xFF, 0x00, 0xFF, 0x7E, 0x90, 0x93}}),
    [](const auto& info) { return std::string(info.param.name); });

// Ways the same requests can reach the device; each must get its replies.
struct StreamCase {
  const char* name;
  std::vector<Bytes> writes;  // written with a short pause between them
  Bytes replyStart;           // the first 4 bytes of the reply
  std::size_t replySize = 136;
};

void PrintTo(const StreamCase& c, std::ostream* os) {
  *os << c.name;
}

class SimStreamTest : public SimProtocolTest, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(SimStreamTest, RequestIsFoundInTheStream) {
  ASSERT_TRUE(sim.Start({}));
  Port port(sim.SlavePath());
  for (const Bytes& piece : GetParam().writes) {
    ASSERT_TRUE(port.Write(piece));
    std::this_thread::sleep_for(milliseconds(3));
  }
  const Bytes reply = port.Read(GetParam().replySize, kReplyLimit);
  EXPECT_EQ(reply.size(), GetParam().replySize);
  ASSERT_GE(reply.size(), 4u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), GetParam().replyStart);
  EXPECT_TRUE(port.StaysSilent(milliseconds(100)));
}

std::vector<Bytes> OneByteAtATime(const Bytes& frame) {
  std::vector<Bytes> out;
  for (std::uint8_t b : frame) out.push_back({b});
  return out;
}

std::vector<Bytes> InPiecesOf(const Bytes& frame, std::size_t n) {
  std::vector<Bytes> out;
  for (std::size_t i = 0; i < frame.size(); i += n) {
    out.emplace_back(frame.begin() + i, frame.begin() + std::min(frame.size(), i + n));
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, SimStreamTest,
    ::testing::Values(
        StreamCase{"WholeRequest", {kReadPage3}, {0xFF, 0x91, 0x00, 0x03}},
        StreamCase{"OneByteAtATime", OneByteAtATime(kReadPage3), {0xFF, 0x91, 0x00, 0x03}},
        StreamCase{"MarkerBeforeMarker",
                   {{0xFF, 0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93}},
                   {0xFF, 0x91, 0x00, 0x03}},
        StreamCase{
            "AfterNoise", {{0x00, 0x12, 0xFF, 0x00, 0xFF}, kReadPage3}, {0xFF, 0x91, 0x00, 0x03}},
        StreamCase{"MarkerInsideBadHeader",
                   {{0xFF, 0x90, 0x00, 0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93}},
                   {0xFF, 0x91, 0x00, 0x03}},
        StreamCase{
            "PageInPiecesOf7",
            InPiecesOf(Concat({0xFF, 0x80, 0x00, 0x01, 0x00, 0x00, 0x00, 0x81}, Bytes(128, 0x00)),
                       7),
            {0xFF, 0x81, 0x00, 0x00},
            8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimProtocolTest, TwoRequestsInOneWriteAreAnsweredInOrder) {
  ASSERT_TRUE(sim.Start({}));
  Port port(sim.SlavePath());
  ASSERT_TRUE(port.Write(Concat(kReadPage3, {0xFF, 0x90, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x9F})));
  const Bytes replies = port.Read(272, kReplyLimit);
  ASSERT_EQ(replies.size(), 272u);
  EXPECT_EQ(Bytes(replies.begin(), replies.begin() + 4), (Bytes{0xFF, 0x91, 0x00, 0x03}));
  EXPECT_EQ(Bytes(replies.begin() + 136, replies.begin() + 140), (Bytes{0xFF, 0x91, 0x00, 0x0F}));
}

}  // namespace
}  // namespace vardex::sim
