#include "image_text.h"

#include <cstdint>

namespace vardex {
namespace {

// Decodes the code point starting at `pos` and advances it; malformed
// sequences give a value that no check accepts and no field can store.
constexpr char32_t kMalformed = 0xFFFFFFFF;

char32_t NextCodePoint(std::string_view utf8, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(utf8[pos++]);
  if (lead < 0x80)
    return lead;
  int extra = 0;
  char32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07;
  } else {
    return kMalformed;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= utf8.size())
      return kMalformed;
    const auto next = static_cast<std::uint8_t>(utf8[pos]);
    if ((next & 0xC0) != 0x80)
      return kMalformed;
    value = (value << 6) | (next & 0x3F);
    ++pos;
  }
  return value;
}

}  // namespace

std::string Latin1FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, pos);
    out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  }
  return out;
}

std::string Utf8FromLatin1(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size() * 2);
  for (char ch : latin1) {
    const auto c = static_cast<std::uint8_t>(ch);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++count) NextCodePoint(utf8, pos);
  return count;
}

bool IsPrintableAscii(std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, pos);
    if (c < 32 || c > 126)
      return false;
  }
  return true;
}

}  // namespace vardex
