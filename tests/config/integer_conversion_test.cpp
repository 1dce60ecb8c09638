#include "integer_conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vardex {
namespace {

struct ConversionCase {
  std::string text;
  std::optional<std::int32_t> expected;
};

class IntegerConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(IntegerConversion, ConvertsOrFails) {
  EXPECT_EQ(ConvertInteger(GetParam().text), GetParam().expected)
      << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Edges, IntegerConversion,
    ::testing::Values(
        // Empty and blanks.
        ConversionCase{"", std::nullopt}, ConversionCase{" ", std::nullopt},
        ConversionCase{" 42", 42}, ConversionCase{"   42", 42}, ConversionCase{"42 ", std::nullopt},
        ConversionCase{"4 2", std::nullopt}, ConversionCase{"\t42", std::nullopt},
        // Signs.
        ConversionCase{"+", std::nullopt}, ConversionCase{"-", std::nullopt},
        ConversionCase{"+42", 42}, ConversionCase{"-42", -42}, ConversionCase{" -5", -5},
        ConversionCase{"--5", std::nullopt}, ConversionCase{"+-5", std::nullopt},
        ConversionCase{"- 5", std::nullopt}, ConversionCase{"-0", 0}, ConversionCase{"007", 7},
        // Signed 32-bit range.
        ConversionCase{"2147483647", 2147483647}, ConversionCase{"2147483648", std::nullopt},
        ConversionCase{"-2147483648", -2147483647 - 1}, ConversionCase{"-2147483649", std::nullopt},
        ConversionCase{"99999999999999999999", std::nullopt},
        // Hexadecimal with every prefix.
        ConversionCase{"$2A", 42}, ConversionCase{"$2a", 42}, ConversionCase{"x2A", 42},
        ConversionCase{"X2A", 42}, ConversionCase{"0x2A", 42}, ConversionCase{"0X2a", 42},
        ConversionCase{" $2A", 42}, ConversionCase{"$", std::nullopt},
        ConversionCase{"0x", std::nullopt}, ConversionCase{"x", std::nullopt},
        ConversionCase{"-$2A", std::nullopt}, ConversionCase{"+$2A", std::nullopt},
        ConversionCase{"$2G", std::nullopt}, ConversionCase{"$2A ", std::nullopt},
        // At most 8 hex digits, whose 32 bits are taken as signed.
        ConversionCase{"$FFFFFFFF", -1}, ConversionCase{"$80000000", -2147483647 - 1},
        ConversionCase{"$7FFFFFFF", 2147483647}, ConversionCase{"$00000001", 1},
        ConversionCase{"$123456789", std::nullopt}, ConversionCase{"0x000000000", std::nullopt},
        // Other characters.
        ConversionCase{"1.5", std::nullopt}, ConversionCase{"12a", std::nullopt},
        ConversionCase{"abc", std::nullopt}));

}  // namespace
}  // namespace vardex
