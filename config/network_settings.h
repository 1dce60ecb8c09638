#pragma once

#include <array>
#include <string>

namespace vardex {

// One IPv4 address as four octet boxes, leftmost first.
using OctetTexts = std::array<std::string, 4>;

// The "Network" page: the device's own address, its mask, the gateway and a
// DNS server, each typed as four decimal octets.
struct NetworkSettings {
  OctetTexts address = {"192", "168", "2", "2"};
  OctetTexts mask = {"255", "255", "255", "0"};
  OctetTexts gateway = {"192", "168", "2", "1"};
  OctetTexts dns = {"192", "168", "2", "1"};
};

}  // namespace vardex
