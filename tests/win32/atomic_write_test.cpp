#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files_platform.h"

namespace vardex {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vardex-atomic-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

// Binary bytes, line ends among them, must land unchanged, and the
// temporary file must be gone afterwards.
TEST_F(AtomicWrite, CreatesAndReplacesWholeFilesByteForByte) {
  const std::string path = (folder_ / "a.img").string();
  const std::string contents[] = {std::string("\r\n\n\x1a\0\xff", 6),
                                  "longer: " + std::string(3000, 'x'), "short\n", ""};
  for (const std::string& bytes : contents) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"a.img"});
  }
}

TEST_F(AtomicWrite, AFailureLeavesWhatWasThereAndNoTemporaryFile) {
  fs::create_directory(folder_ / "dir.img");
  std::ofstream(folder_ / "dir.img" / "inside", std::ios::binary) << "kept";
  const struct {
    std::string path;
    std::vector<std::string> namesAfter;
  } cases[] = {
      {(folder_ / "missing" / "a.img").string(), {"dir.img"}},
      {(folder_ / "dir.img").string(), {"dir.img"}},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(c.path, "new", error)) << c.path;
    EXPECT_TRUE(error.starts_with(c.path + ": cannot write (")) << error;
    EXPECT_TRUE(error.ends_with(")")) << error;
    EXPECT_EQ(Names(folder_), c.namesAfter);
  }
  EXPECT_EQ(ReadAll(folder_ / "dir.img" / "inside"), "kept");
}

}  // namespace
}  // namespace vardex
