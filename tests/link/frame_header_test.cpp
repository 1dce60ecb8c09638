#include "frame_header.h"

#include <gtest/gtest.h>

#include <array>

namespace vardex {
namespace {

struct HeaderCase {
  const char* frame;
  FrameCode code;
  std::uint16_t page;
  std::uint16_t sum;
  FrameHeader bytes;
};

class FrameHeaderExamples : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FrameHeaderExamples, BuildsTheBytesOnTheWire) {
  const HeaderCase& c = GetParam();
  EXPECT_EQ(BuildFrameHeader(c.code, c.page, c.sum), c.bytes) << c.frame;
  EXPECT_EQ(HeaderCheck(c.bytes), c.bytes[7]) << c.frame;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FrameHeaderExamples,
    ::testing::Values(HeaderCase{"read request page 3",
                                 FrameCode::kEepromReadRequest,
                                 3,
                                 0,
                                 {0xFF, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x93}},
                      HeaderCase{"read request page 0",
                                 FrameCode::kEepromReadRequest,
                                 0,
                                 0,
                                 {0xFF, 0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x90}},
                      HeaderCase{"read request page 15",
                                 FrameCode::kEepromReadRequest,
                                 15,
                                 0,
                                 {0xFF, 0x90, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x9F}},
                      HeaderCase{"firmware page 5 sum 1234",
                                 FrameCode::kFirmwarePage,
                                 5,
                                 0x1234,
                                 {0xFF, 0x40, 0x00, 0x05, 0x12, 0x34, 0x00, 0x8B}},
                      HeaderCase{"firmware page 1855 sum FFFF",
                                 FrameCode::kFirmwarePage,
                                 1855,
                                 0xFFFF,
                                 {0xFF, 0x40, 0x07, 0x3F, 0xFF, 0xFF, 0x00, 0x84}},
                      HeaderCase{"image page 15 sum 7F80",
                                 FrameCode::kEepromPage,
                                 15,
                                 0x7F80,
                                 {0xFF, 0x80, 0x00, 0x0F, 0x7F, 0x80, 0x00, 0x8E}},
                      HeaderCase{"firmware ack",
                                 FrameCode::kFirmwarePageAck,
                                 0,
                                 0,
                                 {0xFF, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41}},
                      HeaderCase{"image ack",
                                 FrameCode::kEepromPageAck,
                                 0,
                                 0,
                                 {0xFF, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81}},
                      HeaderCase{"data page 1 sum 0000",
                                 FrameCode::kEepromPageData,
                                 1,
                                 0,
                                 {0xFF, 0x91, 0x00, 0x01, 0x00, 0x00, 0x00, 0x92}}));

TEST(PageDataSum, IsTheLow16BitsOfTheByteSum) {
  std::array<std::uint8_t, kPageSize> page{};
  EXPECT_EQ(PageDataSum(page), 0x0000);
  page.fill(0xFF);
  EXPECT_EQ(PageDataSum(page), 0x7F80);
  page.fill(0x01);
  EXPECT_EQ(PageDataSum(page), 0x0080);
}

}  // namespace
}  // namespace vardex
