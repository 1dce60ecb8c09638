#include "network_settings.h"

#include <cstdint>

#include "number_field.h"

namespace vardex {
namespace {

struct AddressRow {
  OctetTexts NetworkSettings::*octets;
  std::size_t offset;  // of the leftmost octet
  const char* rangeMessage;
};

// Rows in the order they are checked; each knows where it is stored.
constexpr std::array<AddressRow, 4> kRows = {{
    {&NetworkSettings::address, 301, "IP Address - range error (0 - 255)."},
    {&NetworkSettings::mask, 309, "IP Mask - range error (0 - 255)."},
    {&NetworkSettings::gateway, 305, "Gateway - range error (0 - 255)."},
    {&NetworkSettings::dns, 313, "DNS - range error (0 - 255)."},
}};

}  // namespace

StepResult EncodeNetworkSettings(const NetworkSettings& s, ConfigImage& image) {
  StepResult result;
  for (const AddressRow& row : kRows) {
    const OctetTexts& octets = s.*row.octets;
    for (std::size_t i = 0; i < octets.size(); ++i) {
      // The typed value is checked, so -1 fails although its low byte fits.
      result = StoreNumberField(octets[i], {row.offset + i, 1, 0, 255, RangeOf::kTypedValue},
                                row.rangeMessage, image);
      if (!result.Succeeded())
        return result;
    }
  }
  return StepResult::Ok();
}

void DecodeNetworkSettings(const ConfigImage& image, NetworkSettings& s) {
  for (const AddressRow& row : kRows) {
    OctetTexts& octets = s.*row.octets;
    for (std::size_t i = 0; i < octets.size(); ++i) {
      octets[i] = std::to_string(image.GetU8(row.offset + i));
    }
  }
}

}  // namespace vardex
