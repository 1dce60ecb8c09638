#pragma once

#include <array>
#include <string>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

struct AprsIsServer {
  std::string host;
  std::string port = "14580";  // empty means "not set"
};

// The "APRS-IS" page: three servers, the login and the two gateway switches.
struct AprsIsSettings {
  std::array<AprsIsServer, 3> servers = {{{"euro.aprs2.net"}, {}, {}}};
  std::string user = "nocall";
  std::string password = "40917";  // kept in clear as the device wants it
  bool gateRfToAprsIs = true;
  bool gateAprsIsToRf = true;
};

// Only the ports are checked; an empty port box is stored as 0.
StepResult EncodeAprsIsSettings(const AprsIsSettings& settings, ConfigImage& image);
void DecodeAprsIsSettings(const ConfigImage& image, AprsIsSettings& settings);

}  // namespace vardex
