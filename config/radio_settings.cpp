#include "radio_settings.h"

#include <cstdint>
#include <string_view>

#include "image_text.h"
#include "list_index.h"
#include "number_field.h"

namespace vardex {
namespace {

constexpr std::size_t kCallsign = 4;
constexpr std::size_t kCallsignWidth = 6;
constexpr std::size_t kSsid = 10;
constexpr std::size_t kTxDelay = 12;
constexpr std::size_t kQuietTime = 16;
constexpr std::size_t kLatitude = 28;   // 8 characters and a zero byte
constexpr std::size_t kLongitude = 37;  // 9 characters and a zero byte
constexpr std::size_t kPttType = 47;
constexpr std::size_t kBusyDetect = 48;
constexpr int kListItems = 2;

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

}  // namespace

StepResult EncodeRadioSettings(const RadioSettings& s, ConfigImage& image) {
  StepResult result;
  const std::string callsign = Latin1FromUtf8(s.callsign);
  if (callsign.empty())
    return StepResult::Invalid("Callsign - too short (ex. NOCALL-4).").About(&s.callsign);

  const auto ssid = ConvertField(s.ssid, result);
  if (!ssid)
    return result;
  if (*ssid < 0 || *ssid > 15)
    return StepResult::Invalid("Callsign - SSID range error (0 - 15).").About(&s.ssid);

  image.PutBytes(kCallsign, std::string(kCallsignWidth, ' '));
  image.PutBytes(kCallsign, std::string_view(callsign).substr(0, kCallsignWidth));
  image.PutU8(kSsid, static_cast<std::uint8_t>(0x30 + *ssid));
  image.PutU8(kSsid + 1, 0);

  result = StoreNumberField(s.txDelay, {kTxDelay, 4, 200, 1000},
                            "Preamble len - range error (200 - 1000).", image);
  if (!result.Succeeded())
    return result;
  result = StoreNumberField(s.quietTime, {kQuietTime, 4, 200, 3000},
                            "Quiet time - range error (200 - 3000).", image);
  if (!result.Succeeded())
    return result;

  image.PutU8(kPttType, ListIndexByte(s.pttType));
  image.PutU8(kBusyDetect, ListIndexByte(s.busyDetect));

  const std::string latitude = Latin1FromUtf8(s.latitude);
  if (!MatchesPosition(latitude, "dddd.dd", "NS")) {
    return StepResult::Invalid("Latitude - syntax error (ex. 5221.60N).").About(&s.latitude);
  }
  image.PutText(kLatitude, 9, latitude);

  const std::string longitude = Latin1FromUtf8(s.longitude);
  if (!MatchesPosition(longitude, "ddddd.dd", "EW")) {
    return StepResult::Invalid("Longitude - syntax error (ex. 01653.63E).").About(&s.longitude);
  }
  image.PutText(kLongitude, 10, longitude);
  return StepResult::Ok();
}

void DecodeRadioSettings(const ConfigImage& image, RadioSettings& s) {
  // The callsign field has no terminator of its own: all six bytes count.
  s.callsign = Utf8FromLatin1(image.GetText(kCallsign, kCallsignWidth + 1));
  s.ssid = std::to_string(static_cast<std::uint8_t>(image.GetU8(kSsid) - 0x30));
  s.txDelay = std::to_string(image.GetU32(kTxDelay));
  s.quietTime = std::to_string(image.GetU32(kQuietTime));
  s.pttType = ListIndexFromByte(image.GetU8(kPttType), kListItems);
  s.busyDetect = ListIndexFromByte(image.GetU8(kBusyDetect), kListItems);
  s.latitude = Utf8FromLatin1(image.GetText(kLatitude, 9));
  s.longitude = Utf8FromLatin1(image.GetText(kLongitude, 10));
}

}  // namespace vardex
