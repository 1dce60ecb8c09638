#include "access_settings.h"

#include <array>
#include <cstdint>

#include "base64.h"
#include "image_text.h"
#include "number_field.h"

namespace vardex {
namespace {

constexpr std::size_t kTextWidth = 13;  // user and password fields
constexpr std::size_t kTokenWidth = 40;

struct ServiceLayout {
  std::size_t user;
  std::size_t password;
  std::size_t port;  // 16-bit
  const char* portMessage;
};

constexpr ServiceLayout kWww = {1172, 1185, 1238, "WWW port - range error (0 - 65535)."};
constexpr ServiceLayout kTelnet = {1240, 1253, 1266, "Telnet port - range error (0 - 65535)."};
constexpr std::size_t kWwwToken = 1198;

// The texts as they land in their fields, cut to leave room for the zero.
std::string FieldText(const std::string& utf8) {
  std::string latin1 = Latin1FromUtf8(utf8);
  if (latin1.size() > kTextWidth - 1)
    latin1.resize(kTextWidth - 1);
  return latin1;
}

void PutCredentials(const ServiceLayout& layout, const ServiceAccess& access, ConfigImage& image) {
  image.PutText(layout.user, kTextWidth, FieldText(access.user));
  image.PutText(layout.password, kTextWidth, FieldText(access.password));
}

// Two 12-byte texts and the colon give at most 36 characters and a zero byte.
void PutBasicToken(const ServiceAccess& access, ConfigImage& image) {
  const std::string joined = FieldText(access.user) + ":" + FieldText(access.password);
  std::array<char, kTokenWidth> token{};
  EncodeBase64(joined, token);
  image.PutText(kWwwToken, kTokenWidth, std::string_view(token.data()));
}

StepResult PutPort(const ServiceLayout& layout, const ServiceAccess& access, ConfigImage& image) {
  // A negative port is refused rather than stored as its low 16 bits.
  return StoreNumberField(access.port, {layout.port, 2, 0, 65535, RangeOf::kTypedValue},
                          layout.portMessage, image);
}

void ShowService(const ServiceLayout& layout, const ConfigImage& image, ServiceAccess& access) {
  access.user = Utf8FromLatin1(image.GetText(layout.user, kTextWidth));
  access.password = Utf8FromLatin1(image.GetText(layout.password, kTextWidth));
  access.port = std::to_string(image.GetU16(layout.port));
}

}  // namespace

StepResult EncodeAccessSettings(const AccessSettings& s, ConfigImage& image) {
  PutCredentials(kWww, s.www, image);
  PutBasicToken(s.www, image);
  StepResult result = PutPort(kWww, s.www, image);
  if (!result.Succeeded())
    return result;
  PutCredentials(kTelnet, s.telnet, image);
  return PutPort(kTelnet, s.telnet, image);
}

void DecodeAccessSettings(const ConfigImage& image, AccessSettings& s) {
  ShowService(kWww, image, s.www);
  ShowService(kTelnet, image, s.telnet);
}

}  // namespace vardex
