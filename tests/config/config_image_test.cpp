#include "config_image.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(ImageChecksum, SingleByteAtOffsetFour) {
  ConfigImage image;
  image.bytes[4] = 0x41;
  StoreImageChecksum(image);
  EXPECT_EQ(image.bytes[0], 0x41);
  EXPECT_EQ(image.bytes[1], 0x00);
  EXPECT_EQ(image.bytes[2], 0x00);
  EXPECT_EQ(image.bytes[3], 0x00);
}

TEST(ImageChecksum, CoversFourTo1551Only) {
  ConfigImage image;
  image.bytes.fill(0xFF);
  StoreImageChecksum(image);
  // 1548 bytes of 0xFF: 1548 * 255 = 394740 = 0x000605F4.
  EXPECT_EQ(image.bytes[0], 0xF4);
  EXPECT_EQ(image.bytes[1], 0x05);
  EXPECT_EQ(image.bytes[2], 0x06);
  EXPECT_EQ(image.bytes[3], 0x00);
  EXPECT_TRUE(ImageChecksumHolds(image));

  ConfigImage outside = image;
  outside.bytes[1552] = 0x00;
  outside.bytes[2047] = 0x12;
  EXPECT_TRUE(ImageChecksumHolds(outside)) << "bytes from 1552 on are not covered";

  ConfigImage inside = image;
  inside.bytes[1551] = 0x00;
  EXPECT_FALSE(ImageChecksumHolds(inside)) << "byte 1551 is covered";
  inside = image;
  inside.bytes[4] ^= 0x01;
  EXPECT_FALSE(ImageChecksumHolds(inside)) << "byte 4 is covered";
}

TEST(ImageChecksum, WrapsModulo2To32) {
  ConfigImage image;
  image.bytes.fill(0xFF);
  image.bytes[0] = 0xF4;
  image.bytes[1] = 0x05;
  image.bytes[2] = 0x06;
  image.bytes[3] = 0x01;  // differs only in the top byte
  EXPECT_FALSE(ImageChecksumHolds(image));
}

TEST(ConfigImageFields, IntegersAreLittleEndian) {
  ConfigImage image;
  image.PutU32(12, 0x12345678);
  EXPECT_EQ(image.bytes[12], 0x78);
  EXPECT_EQ(image.bytes[13], 0x56);
  EXPECT_EQ(image.bytes[14], 0x34);
  EXPECT_EQ(image.bytes[15], 0x12);
  image.PutU16(100, 0xABCD);
  EXPECT_EQ(image.bytes[100], 0xCD);
  EXPECT_EQ(image.bytes[101], 0xAB);
  EXPECT_EQ(image.GetU32(12), 0x12345678u);
  EXPECT_EQ(image.GetU16(100), 0xABCD);
}

TEST(ConfigImageFields, TextIsCutToFitItsZeroByte) {
  ConfigImage image;
  image.bytes.fill(0x55);
  image.PutText(10, 4, "ABCDEF");
  EXPECT_EQ(image.bytes[10], 'A');
  EXPECT_EQ(image.bytes[12], 'C');
  EXPECT_EQ(image.bytes[13], 0x00);
  EXPECT_EQ(image.bytes[14], 0x55) << "nothing is written past the field";
  EXPECT_EQ(image.bytes[9], 0x55);
}

TEST(ConfigImageFields, TextReadStopsAtZeroOrFieldEnd) {
  ConfigImage image;
  image.PutBytes(20, "ABCDEFGH");
  EXPECT_EQ(image.GetText(20, 8), "ABCDEFG") << "a field without a zero byte is cut";
  image.bytes[22] = 0;
  EXPECT_EQ(image.GetText(20, 8), "AB");
  EXPECT_EQ(image.GetText(2040, 8), "");
}

}  // namespace
}  // namespace vardex
