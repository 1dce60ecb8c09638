#include "beacon_settings.h"

#include "image_text.h"

namespace vardex {
namespace {

constexpr std::size_t kMessageWidth = kBeaconMessageLength + 1;

// The message sits 24 bytes into the beacon, right after the IS rate.
std::size_t MessageOffset(std::size_t index) {
  return kReportBlockLayouts[index].dest + 24;
}

std::string MessageFailure(std::size_t index) {
  return "Beacon " + std::to_string(index + 1) + " message - forbidden characters.";
}

}  // namespace

StepResult EncodeBeaconSettings(const BeaconSettings& s, ConfigImage& image) {
  for (std::size_t i = 0; i < kBeaconCount; ++i) {
    const Beacon& beacon = s.beacons[i];
    StepResult result = EncodeReportBlock(kReportBlockLayouts[i], beacon.block, image);
    if (!result.Succeeded())
      return result;
    // Special strings are stored as typed; the device replaces them.
    image.PutText(MessageOffset(i), kMessageWidth, Latin1FromUtf8(beacon.message));
    result = CheckPrintableText(beacon.message, MessageFailure(i));
    if (!result.Succeeded())
      return result;
  }
  return StepResult::Ok();
}

void DecodeBeaconSettings(const ConfigImage& image, BeaconSettings& s) {
  for (std::size_t i = 0; i < kBeaconCount; ++i) {
    Beacon& beacon = s.beacons[i];
    DecodeReportBlock(image, kReportBlockLayouts[i], beacon.block);
    beacon.message = Utf8FromLatin1(image.GetText(MessageOffset(i), kMessageWidth));
  }
}

}  // namespace vardex
