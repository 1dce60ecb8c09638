#include "clock_settings.h"

#include <array>
#include <cstdint>
#include <string>

#include "image_text.h"

namespace vardex {
namespace {

constexpr std::size_t kUseNtp = 268;
constexpr std::size_t kNtpServer = 269;
constexpr std::size_t kNtpServerWidth = 32;

struct ClockWord {
  std::string ClockSettings::*text;
  std::size_t offset;  // signed 32-bit
};

constexpr std::array<ClockWord, 5> kClockWords = {{
    {&ClockSettings::year, 320},
    {&ClockSettings::month, 324},
    {&ClockSettings::day, 328},
    {&ClockSettings::hour, 332},
    {&ClockSettings::minute, 336},
}};

}  // namespace

StepResult EncodeClockSettings(const ClockSettings& s, ConfigImage& image) {
  StepResult result;
  for (const ClockWord& word : kClockWords) {
    const auto value = ConvertField(s.*word.text, result);
    if (!value)
      return result;
    image.PutU32(word.offset, static_cast<std::uint32_t>(*value));
  }
  image.PutU8(kUseNtp, s.useNtp ? 1 : 0);
  image.PutText(kNtpServer, kNtpServerWidth, Latin1FromUtf8(s.ntpServer));
  return StepResult::Ok();
}

void DecodeClockSettings(const ConfigImage& image, ClockSettings& s) {
  s.useNtp = image.GetU8(kUseNtp) != 0;
  s.ntpServer = Utf8FromLatin1(image.GetText(kNtpServer, kNtpServerWidth));
}

void DecodeClockSetValues(const ConfigImage& image, ClockSettings& s) {
  for (const ClockWord& word : kClockWords) {
    s.*word.text = std::to_string(static_cast<std::int32_t>(image.GetU32(word.offset)));
  }
}

}  // namespace vardex
