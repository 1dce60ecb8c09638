#include "aprs_passcode.h"

#include <charconv>

namespace vardex {

std::string BaseCallsign(std::string_view login) {
  std::string call(login.substr(0, login.find('-')));
  for (char& c : call) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return call;
}

int AprsIsPasscode(std::string_view login) {
  const std::string call = BaseCallsign(login);
  unsigned hash = 0x73e2;
  // Characters in pairs: the first of each pair goes into the high byte.
  for (std::size_t i = 0; i < call.size(); i += 2) {
    hash ^= static_cast<unsigned char>(call[i]) << 8;
    if (i + 1 < call.size())
      hash ^= static_cast<unsigned char>(call[i + 1]);
  }
  return static_cast<int>(hash & 0x7fff);
}

PasscodeMatch MatchPasscode(std::string_view login, std::string_view password) {
  int value = 0;
  const char* end = password.data() + password.size();
  const auto [stop, error] = std::from_chars(password.data(), end, value);
  if (password.empty() || error != std::errc() || stop != end)
    return PasscodeMatch::kNotAPasscode;
  if (value == -1)
    return PasscodeMatch::kReceiveOnly;
  if (value < 0 || value > 0x7fff)
    return PasscodeMatch::kNotAPasscode;
  return value == AprsIsPasscode(login) ? PasscodeMatch::kMatches : PasscodeMatch::kWrong;
}

}  // namespace vardex
