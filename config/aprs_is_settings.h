#pragma once

#include <array>
#include <string>

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

}  // namespace vardex
