#pragma once

#include <string>

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

}  // namespace vardex
