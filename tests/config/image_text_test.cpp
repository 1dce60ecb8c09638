#include "image_text.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(ImageText, Latin1RoundTrip) {
  EXPECT_EQ(Latin1FromUtf8("abc"), "abc");
  EXPECT_EQ(Latin1FromUtf8("\xC3\xA9"), "\xE9");
  EXPECT_EQ(Latin1FromUtf8("a\xE2\x82\xAC"
                           "b"),
            "a?b")
      << "euro sign has no single byte";
  EXPECT_EQ(Latin1FromUtf8("\xF0\x9F\x93\xA1"), "?");
  EXPECT_EQ(Utf8FromLatin1("\xE9\x7F"), "\xC3\xA9\x7F");
  EXPECT_EQ(CharacterCount("\xC3\xA9\xE2\x82\xAC"
                           "a"),
            3u);
}

TEST(ImageText, PrintableAscii) {
  EXPECT_TRUE(IsPrintableAscii(""));
  EXPECT_TRUE(IsPrintableAscii("    "));
  EXPECT_TRUE(IsPrintableAscii(" ~@<date>z"));
  EXPECT_FALSE(IsPrintableAscii("a\tb"));
  EXPECT_FALSE(IsPrintableAscii("\x1F"));
  EXPECT_FALSE(IsPrintableAscii("\x7F"));
  EXPECT_FALSE(IsPrintableAscii("\xC3\xA9"));
  EXPECT_FALSE(IsPrintableAscii("\xE2\x82\xAC")) << "must fail, not become '?'";
  EXPECT_FALSE(IsPrintableAscii("\xFF")) << "malformed input fails";
}

}  // namespace
}  // namespace vardex
