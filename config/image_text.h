#pragma once

#include <string>
#include <string_view>

namespace vardex {

// Settings hold texts as the user typed them, in UTF-8. The image holds one
// byte per character (Latin-1). A character with no single-byte form is
// stored as "?".
std::string Latin1FromUtf8(std::string_view utf8);
std::string Utf8FromLatin1(std::string_view latin1);

// Number of characters (code points) in a UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

// True when every character is in the printable ASCII range, space to "~".
// Control characters, 127 and anything beyond ASCII fail; so does a
// character that has no single-byte form at all.
bool IsPrintableAscii(std::string_view utf8);

}  // namespace vardex
