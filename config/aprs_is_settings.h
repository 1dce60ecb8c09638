#pragma once

#include <array>
#include <string>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

struct AprsIsServer {
  std::string host;            // Edit21, Edit22, Edit23
  std::string port = "14580";  // Edit33, Edit34, Edit35; empty means "not set"
};

// The "APRS-IS" page: three servers, the login and the two gateway switches.
struct AprsIsSettings {
  std::array<AprsIsServer, 3> servers = {{{"euro.aprs2.net"}, {}, {}}};
  std::string user = "nocall";     // Edit38
  std::string password = "40917";  // Edit39, kept in clear as the device wants it
  bool gateRfToAprsIs = true;      // CheckBox2
  bool gateAprsIsToRf = true;      // CheckBox5
};

// Only the ports are checked; an empty port box is stored as 0.
StepResult EncodeAprsIsSettings(const AprsIsSettings& settings, ConfigImage& image);
void DecodeAprsIsSettings(const ConfigImage& image, AprsIsSettings& settings);

}  // namespace vardex
