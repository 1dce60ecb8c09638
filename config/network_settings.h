#pragma once

#include <array>
#include <string>

#include "config_image.h"
#include "step_result.h"

namespace vardex {

// One IPv4 address as four octet boxes, leftmost first.
using OctetTexts = std::array<std::string, 4>;

// The "Network" page: the device's own address, its mask, the gateway and a
// DNS server, each typed as four decimal octets.
struct NetworkSettings {
  OctetTexts address = {"192", "168", "2", "2"};  // Edit9, Edit10, Edit11, Edit12
  OctetTexts mask = {"255", "255", "255", "0"};   // Edit13, Edit15, Edit17, Edit19
  OctetTexts gateway = {"192", "168", "2", "1"};  // Edit14, Edit16, Edit18, Edit20
  OctetTexts dns = {"192", "168", "2", "1"};      // Edit24, Edit25, Edit26, Edit27
};

// Checks address, mask, gateway, DNS (the order of the page) but stores them
// as address, gateway, mask, DNS (the order the device expects).
StepResult EncodeNetworkSettings(const NetworkSettings& settings, ConfigImage& image);
void DecodeNetworkSettings(const ConfigImage& image, NetworkSettings& settings);

}  // namespace vardex
