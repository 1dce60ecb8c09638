#pragma once

#include <string>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

// Credentials and port of one administration service of the device.
struct ServiceAccess {
  std::string user = "admin";
  std::string password = "kibzo";  // kept in clear: the device compares it as stored
  std::string port;
};

// The "WWW access" and "Telnet access" pages.
struct AccessSettings {
  ServiceAccess www{.port = "80"};
  ServiceAccess telnet{.port = "23"};
};

// Stores both services; the web service also gets its HTTP Basic token
// (Base64 of "user:password"). A negative port is refused rather than being
// stored as its low 16 bits.
StepResult EncodeAccessSettings(const AccessSettings& settings, ConfigImage& image);
// The token is not read back: the next write computes it again.
void DecodeAccessSettings(const ConfigImage& image, AccessSettings& settings);

}  // namespace vardex
