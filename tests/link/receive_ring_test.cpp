#include "receive_ring.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace vardex {
namespace {

std::vector<std::uint8_t> Counting(std::size_t count, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes(count);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

TEST(ReceiveRing, HoldsAtMost2047UnreadBytes) {
  ReceiveRing ring;
  EXPECT_EQ(ring.Store(Counting(2048)), 2047u);
  EXPECT_EQ(ring.Available(), 2047u);
  EXPECT_EQ(ring.ReadIndex(), 0);
  EXPECT_EQ(ring.WriteIndex(), 2047);
  EXPECT_EQ(ring.Store(Counting(1, 0xAA)), 0u);  // read 0, write 2047: dropped
  EXPECT_EQ(ring.Peek(2046), static_cast<std::uint8_t>(2046));
}

TEST(ReceiveRing, KeepsTheFirstBytesThatFitAndDropsTheRest) {
  ReceiveRing ring;
  ring.SetIndexesForTest(100, 89);  // 2037 unread, 10 places free
  ASSERT_EQ(ring.Available(), 2037u);
  EXPECT_EQ(ring.Store(Counting(128, 1)), 10u);
  EXPECT_EQ(ring.WriteIndex(), 99);
  ring.Skip(2037);
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(ring.Take(), i + 1);
  EXPECT_TRUE(ring.Empty());
}

TEST(ReceiveRing, BothIndexesWrapFrom2047To0) {
  ReceiveRing ring;
  ring.SetIndexesForTest(2046, 2046);
  ASSERT_EQ(ring.Store(std::vector<std::uint8_t>{0x10, 0x11, 0x12, 0x13}), 4u);
  EXPECT_EQ(ring.WriteIndex(), 2);
  EXPECT_EQ(ring.Available(), 4u);
  EXPECT_EQ(ring.Peek(3), 0x13);
  EXPECT_EQ(ring.Take(), 0x10);
  EXPECT_EQ(ring.Take(), 0x11);
  EXPECT_EQ(ring.ReadIndex(), 0);
  EXPECT_EQ(ring.Take(), 0x12);
  EXPECT_EQ(ring.ReadIndex(), 1);
}

TEST(ReceiveRing, ResetDiscardsUnreadBytes) {
  ReceiveRing ring;
  ring.SetIndexesForTest(700, 700);
  ring.Store(Counting(50));
  ring.Reset();
  EXPECT_EQ(ring.ReadIndex(), 0);
  EXPECT_EQ(ring.WriteIndex(), 0);
  EXPECT_TRUE(ring.Empty());
  ring.Store(std::vector<std::uint8_t>{0x77});
  EXPECT_EQ(ring.Available(), 1u);
  EXPECT_EQ(ring.Take(), 0x77);
}

}  // namespace
}  // namespace vardex
