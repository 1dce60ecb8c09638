#include "rule_functions.h"

#include <array>
#include <string>
#include <string_view>

#include "base64.h"
#include "image_text.h"

namespace vardex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// `pattern` uses 'd' for a digit, '.' for itself and `hemispheres` for the
// last character's allowed letters.
bool MatchesPosition(std::string_view text, std::string_view pattern,
                     std::string_view hemispheres) {
  if (text.size() != pattern.size() + 1)
    return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool ok = pattern[i] == 'd' ? IsDigit(text[i]) : text[i] == pattern[i];
    if (!ok)
      return false;
  }
  return hemispheres.find(text.back()) != std::string_view::npos;
}

constexpr std::size_t kLoginTextLength = 12;  // the user and password fields, less the zero

std::string LoginText(const std::string& utf8) {
  std::string latin1 = Latin1FromUtf8(utf8);
  if (latin1.size() > kLoginTextLength)
    latin1.resize(kLoginTextLength);
  return latin1;
}

}  // namespace

bool CallsignGiven(const ImageField& field, const ConfigSettings& settings, const ConfigImage&) {
  return !Latin1FromUtf8(field.Text(settings)).empty();
}

bool LatitudePattern(const ImageField& field, const ConfigSettings& settings, const ConfigImage&) {
  return MatchesPosition(Latin1FromUtf8(field.Text(settings)), "dddd.dd", "NS");
}

bool LongitudePattern(const ImageField& field, const ConfigSettings& settings, const ConfigImage&) {
  return MatchesPosition(Latin1FromUtf8(field.Text(settings)), "ddddd.dd", "EW");
}

bool PrintableText(const ImageField& field, const ConfigSettings& settings, const ConfigImage&) {
  return IsPrintableAscii(field.Text(settings));
}

bool PathOrder(const ImageField& field, const ConfigSettings&, const ConfigImage& image) {
  return image.GetU8(field.partner) <= image.GetU8(field.offset);
}

// Two 12-byte texts and the colon give at most 36 characters and a zero byte.
void PutWebLoginToken(const ImageField& field, const ConfigSettings& settings, ConfigImage& image) {
  const ServiceAccess& www = settings.access.www;
  const std::string joined = LoginText(www.user) + ":" + LoginText(www.password);
  std::array<char, 40> token{};
  EncodeBase64(joined, token);
  image.PutText(field.offset, field.width, std::string_view(token.data()));
}

}  // namespace vardex
