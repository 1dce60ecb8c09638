#include "file_kind.h"

#include <algorithm>
#include <cstdint>

#include "config_image.h"

namespace vardex {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `text` (no
// overlong forms, no surrogates, nothing beyond U+10FFFF); 0 if there is none.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80)
    return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;  // range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high)
    return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF)
      return 0;
  }
  return length;
}

}  // namespace

bool LooksLikeText(std::string_view contents) {
  while (!contents.empty()) {
    const char c = contents.front();
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7F)
      return false;
    const std::size_t length = Utf8SequenceLength(contents);
    if (length == 0)
      return false;
    contents.remove_prefix(length);
  }
  return true;
}

std::string_view NotFirmwareKind(std::string_view contents) {
  if (contents.size() == ConfigImage::kSize) {
    ConfigImage image;
    std::transform(contents.begin(), contents.end(), image.bytes.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    if (ImageChecksumHolds(image))
      return "a configuration image";
  }
  if (!contents.empty() && LooksLikeText(contents))
    return "a text file";
  return {};
}

}  // namespace vardex
