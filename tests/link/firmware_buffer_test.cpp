#include "firmware_buffer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace vardex {
namespace {

struct PageCase {
  std::uint64_t size;
  std::uint32_t pages;
  std::uint32_t lastPage;
};

class FirmwarePages : public ::testing::TestWithParam<PageCase> {};

TEST_P(FirmwarePages, CountsPagesRoundingUp) {
  FirmwareBuffer buffer;
  buffer.size = static_cast<std::uint32_t>(GetParam().size);
  EXPECT_EQ(buffer.PageCount(), GetParam().pages);
  EXPECT_EQ(buffer.LastPageIndex(), GetParam().lastPage);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FirmwarePages,
                         ::testing::Values(PageCase{0, 0, 0}, PageCase{1, 1, 0},
                                           PageCase{128, 1, 0}, PageCase{129, 2, 1},
                                           PageCase{200, 2, 1}, PageCase{237568, 1856, 1855}));

class FirmwareFiles : public ::testing::Test {
 protected:
  std::filesystem::path dir_ =
      std::filesystem::temp_directory_path() /
      ("vardex_fw_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, std::size_t size, std::uint8_t value) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << std::string(size, static_cast<char>(value));
    return path.string();
  }
  static std::unique_ptr<FirmwareBuffer> NewBuffer() { return std::make_unique<FirmwareBuffer>(); }
};

TEST_F(FirmwareFiles, AcceptsTheLargestFile) {
  auto buffer = NewBuffer();
  EXPECT_EQ(LoadFirmwareFile(Write("max.bin", 237568, 0x5A).c_str(), *buffer),
            FirmwareLoadStatus::kLoaded);
  EXPECT_EQ(buffer->size, 237568u);
  EXPECT_EQ(buffer->LastPageIndex(), 1855u);
  EXPECT_EQ(buffer->bytes[237567], 0x5A);
}

TEST_F(FirmwareFiles, RefusesAFileOneByteTooLongAndKeepsTheBuffer) {
  auto buffer = NewBuffer();
  ASSERT_EQ(LoadFirmwareFile(Write("a.bin", 300, 0x11).c_str(), *buffer),
            FirmwareLoadStatus::kLoaded);
  const auto status = LoadFirmwareFile(Write("big.bin", 237569, 0x22).c_str(), *buffer);
  EXPECT_EQ(status, FirmwareLoadStatus::kTooLong);
  EXPECT_EQ(FirmwareLoadMessage(status), "Firmware file too long.");
  EXPECT_EQ(buffer->size, 300u);
  EXPECT_EQ(buffer->bytes[0], 0x11);
}

TEST_F(FirmwareFiles, AMissingFileOrAFolderIsAnOpenError) {
  auto buffer = NewBuffer();
  const auto status = LoadFirmwareFile((dir_ / "absent.bin").string().c_str(), *buffer);
  EXPECT_EQ(status, FirmwareLoadStatus::kCannotOpen);
  EXPECT_EQ(FirmwareLoadMessage(status), "File open error.");
  EXPECT_EQ(kFirmwareBoxCaption, "File open error");
  // A folder opens on Linux and seeks to an absurd size: still no file.
  EXPECT_EQ(LoadFirmwareFile(dir_.string().c_str(), *buffer), FirmwareLoadStatus::kCannotOpen);
}

TEST_F(FirmwareFiles, TheLastPageIsZeroPaddedEvenAfterALongerFile) {
  auto buffer = NewBuffer();
  ASSERT_EQ(LoadFirmwareFile(Write("300.bin", 300, 0x77).c_str(), *buffer),
            FirmwareLoadStatus::kLoaded);
  ASSERT_EQ(LoadFirmwareFile(Write("200.bin", 200, 0x33).c_str(), *buffer),
            FirmwareLoadStatus::kLoaded);
  EXPECT_EQ(buffer->PageCount(), 2u);
  for (std::size_t i = 0; i < 200; ++i) ASSERT_EQ(buffer->bytes[i], 0x33) << i;
  for (std::size_t i = 200; i < 256; ++i) ASSERT_EQ(buffer->bytes[i], 0x00) << i;
}

TEST_F(FirmwareFiles, AnEmptyFileSendsAZeroPageZero) {
  auto buffer = NewBuffer();
  ASSERT_EQ(LoadFirmwareFile(Write("129.bin", 129, 0x44).c_str(), *buffer),
            FirmwareLoadStatus::kLoaded);
  ASSERT_EQ(LoadFirmwareFile(Write("0.bin", 0, 0).c_str(), *buffer), FirmwareLoadStatus::kLoaded);
  EXPECT_EQ(buffer->PageCount(), 0u);
  EXPECT_EQ(buffer->LastPageIndex(), 0u);
  for (std::size_t i = 0; i < 128; ++i) ASSERT_EQ(buffer->bytes[i], 0x00) << i;
}

TEST_F(FirmwareFiles, OneAnd128And129ByteFilesFillTheirPages) {
  struct Case {
    std::size_t size;
    std::uint32_t pages;
  };
  for (const Case c : {Case{1, 1}, Case{128, 1}, Case{129, 2}}) {
    auto buffer = NewBuffer();
    buffer->bytes.fill(0x99);  // whatever an earlier file left
    ASSERT_EQ(LoadFirmwareFile(Write("f.bin", c.size, 0x01).c_str(), *buffer),
              FirmwareLoadStatus::kLoaded);
    EXPECT_EQ(buffer->PageCount(), c.pages) << c.size;
    for (std::size_t i = 0; i < c.pages * 128u; ++i) {
      ASSERT_EQ(buffer->bytes[i], i < c.size ? 0x01 : 0x00) << c.size << " at " << i;
    }
  }
}

// A source whose read stops early, as a file shrinking under the tool does.
class ShortSource final : public FirmwareSource {
 public:
  std::int64_t Size() override { return 300; }
  std::size_t ReadAll(std::uint8_t* into, std::size_t) override {
    std::fill_n(into, 100, 0x66);
    return 100;
  }
};

TEST(FirmwareLoad, AShortReadIsRefusedAsAnOpenError) {
  auto buffer = std::make_unique<FirmwareBuffer>();
  buffer->size = 50;
  ShortSource source;
  const auto status = LoadFirmware(source, *buffer);
  EXPECT_EQ(status, FirmwareLoadStatus::kShortRead);
  EXPECT_EQ(FirmwareLoadMessage(status), "File open error.");
  EXPECT_EQ(buffer->size, 50u);
}

}  // namespace
}  // namespace vardex
