#include "base64.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace vardex {
namespace {

struct Vector {
  std::string input;
  std::string expected;
};

TEST(EncodeBase64, Rfc4648TestVectors) {
  const Vector vectors[] = {
      {"f", "Zg=="},        {"fo", "Zm8="},        {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const Vector& v : vectors) {
    std::array<char, 16> out;
    out.fill('#');
    EXPECT_EQ(EncodeBase64(v.input, out), 1) << v.input;
    EXPECT_EQ(std::string(out.data()), v.expected) << v.input;
    EXPECT_EQ(out[v.expected.size() + 1], '#') << "wrote past its zero byte: " << v.input;
  }
}

TEST(EncodeBase64, EmptyInputWritesJustTheZeroByte) {
  std::array<char, 8> out;
  out.fill('#');
  EXPECT_EQ(EncodeBase64("", out), -1);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(out[1], '#');
}

TEST(EncodeBase64, MissingOrShortOutputIsRefusedUntouched) {
  EXPECT_EQ(EncodeBase64("foo", std::span<char>()), -1);
  std::array<char, 4> tooShort;  // "Zm9v" needs a fifth byte for its zero
  tooShort.fill('#');
  EXPECT_EQ(EncodeBase64("foo", tooShort), -1);
  EXPECT_EQ(std::string(tooShort.data(), 4), "####");
}

TEST(EncodeBase64, BytesAreUnsignedAndInputEndsAtItsZero) {
  std::array<char, 16> out{};
  EXPECT_EQ(EncodeBase64("\xFF\xFE", out), 1);
  EXPECT_EQ(std::string(out.data()), "//4=");
  EXPECT_EQ(EncodeBase64(std::string_view("ab\0cd", 5), out), 1);
  EXPECT_EQ(std::string(out.data()), "YWI=");
}

TEST(EncodeBase64, CredentialTexts) {
  const Vector vectors[] = {
      {":", "Og=="},
      {"admin:", "YWRtaW46"},
      {"admin:kibzo", "YWRtaW46a2liem8="},
      {"abcdefghijkl:mnopqrstuvwx", "YWJjZGVmZ2hpamtsOm1ub3BxcnN0dXZ3eA=="},
  };
  for (const Vector& v : vectors) {
    std::array<char, 40> out{};
    EXPECT_EQ(EncodeBase64(v.input, out), 1) << v.input;
    EXPECT_EQ(std::string(out.data()), v.expected) << v.input;
  }
}

}  // namespace
}  // namespace vardex
