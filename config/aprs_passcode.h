#pragma once

#include <string>
#include <string_view>

namespace vardex {

// The callsign an APRS-IS login stands for: upper case, without its SSID
// ("sp3abc-10" gives "SP3ABC").
std::string BaseCallsign(std::string_view login);

// The passcode APRS-IS servers expect from `login`: a public 15-bit hash of
// its base callsign, 0 to 32767. A login with any other password may read
// but what it sends is not gated.
int AprsIsPasscode(std::string_view login);

// What an APRS-IS password says about its login.
enum class PasscodeMatch {
  kMatches,       // the passcode of the login
  kReceiveOnly,   // -1: the servers send, but take nothing from the device
  kWrong,         // a passcode, of some other callsign
  kNotAPasscode,  // not a whole number from 0 to 32767
};
PasscodeMatch MatchPasscode(std::string_view login, std::string_view password);

}  // namespace vardex
