#include "aprs_is_settings.h"

#include <cstdint>

#include "image_text.h"
#include "number_field.h"

namespace vardex {
namespace {

constexpr std::size_t kUser = 116;
constexpr std::size_t kPassword = 133;
constexpr std::size_t kLoginWidth = 17;
constexpr std::size_t kGateRfToAprsIs = 152;  // 32-bit switch
constexpr std::size_t kGateAprsIsToRf = 156;  // 32-bit switch

// Server k's entry: a 32-byte host field, then its 32-bit port.
constexpr std::size_t kFirstServer = 160;
constexpr std::size_t kServerStride = 36;
constexpr std::size_t kHostWidth = 32;
constexpr std::size_t kPortInEntry = 32;

constexpr std::array<const char*, 3> kPortMessages = {
    "APRS-IS Server 1 Port - range error (0 - 65535).",
    "APRS-IS Server 2 Port - range error (0 - 65535).",
    "APRS-IS Server 3 Port - range error (0 - 65535).",
};

std::size_t ServerOffset(std::size_t index) {
  return kFirstServer + kServerStride * index;
}

}  // namespace

StepResult EncodeAprsIsSettings(const AprsIsSettings& s, ConfigImage& image) {
  StepResult result;
  for (std::size_t i = 0; i < s.servers.size(); ++i) {
    const AprsIsServer& server = s.servers[i];
    const std::size_t entry = ServerOffset(i);
    image.PutText(entry, kHostWidth, Latin1FromUtf8(server.host));
    if (server.port.empty())
      continue;  // the device reads 0 as "no port given"
    result =
        StoreNumberField(server.port, {entry + kPortInEntry, 4, 0, 65535, RangeOf::kTypedValue},
                         kPortMessages[i], image);
    if (!result.Succeeded())
      return result;
  }
  image.PutText(kUser, kLoginWidth, Latin1FromUtf8(s.user));
  image.PutText(kPassword, kLoginWidth, Latin1FromUtf8(s.password));
  image.PutU32(kGateRfToAprsIs, s.gateRfToAprsIs ? 1 : 0);
  image.PutU32(kGateAprsIsToRf, s.gateAprsIsToRf ? 1 : 0);
  return StepResult::Ok();
}

void DecodeAprsIsSettings(const ConfigImage& image, AprsIsSettings& s) {
  for (std::size_t i = 0; i < s.servers.size(); ++i) {
    const std::size_t entry = ServerOffset(i);
    s.servers[i].host = Utf8FromLatin1(image.GetText(entry, kHostWidth));
    s.servers[i].port = std::to_string(image.GetU32(entry + kPortInEntry));
  }
  s.user = Utf8FromLatin1(image.GetText(kUser, kLoginWidth));
  s.password = Utf8FromLatin1(image.GetText(kPassword, kLoginWidth));
  s.gateRfToAprsIs = image.GetU32(kGateRfToAprsIs) != 0;
  s.gateAprsIsToRf = image.GetU32(kGateAprsIsToRf) != 0;
}

}  // namespace vardex
