#include "telemetry_settings.h"

#include <cstdint>

#include "image_text.h"
#include "list_index.h"

namespace vardex {
namespace {

constexpr std::size_t kModuleSupport = 1268;
constexpr int kModuleSupportItems = 2;
constexpr int kAverageItems = 2;

// Channel k's entry starts at 1324 + 45 * (k - 1).
constexpr std::size_t kFirstChannel = 1324;
constexpr std::size_t kChannelStride = 45;
constexpr std::size_t kSourceInEntry = 0;
constexpr std::size_t kAverageInEntry = 44;

struct TextField {
  std::string TelemetryChannel::*text;
  std::size_t offsetInEntry;
  std::size_t width;
};

constexpr std::array<TextField, 5> kTextFields = {{
    {&TelemetryChannel::name, 1, 8},
    {&TelemetryChannel::units, 9, 8},
    {&TelemetryChannel::coeffA, 17, 9},
    {&TelemetryChannel::coeffB, 26, 9},
    {&TelemetryChannel::coeffC, 35, 9},
}};

struct SourceDefaults {
  const char* name;  // nullptr: "A" and the channel number
  const char* units;
  const char* coeffA;
  const char* coeffB;
  const char* coeffC;
};

// Indexed by source; the same for every channel.
constexpr std::array<SourceDefaults, kTelemetrySourceItems.size()> kSourceDefaults = {{
    {nullptr, "None", "0", "0", "0"},
    {"I1", "mA", "0", "19.5", "0"},
    {"I1", "mA", "0", "9.76", "0"},
    {"I1", "mA", "0", "4.88", "0"},
    {"I2", "mA", "0", "19.5", "0"},
    {"I2", "mA", "0", "9.76", "0"},
    {"I2", "mA", "0", "4.88", "0"},
    {"U1", "Volt", "0", "0.1", "0"},
    {"U2", "Volt", "0", "0.1", "0"},
    {"Temp", "C", "0", "0.5", "-64"},
    {"Temp", "C", "0", "0.5", "-64"},
}};

std::size_t ChannelOffset(std::size_t index) {
  return kFirstChannel + kChannelStride * index;
}

}  // namespace

StepResult EncodeTelemetryChannels(const TelemetrySettings& s, ConfigImage& image) {
  image.PutU8(kModuleSupport, ListIndexByte(s.moduleSupport));
  for (std::size_t i = 0; i < s.channels.size(); ++i) {
    const TelemetryChannel& channel = s.channels[i];
    const std::size_t entry = ChannelOffset(i);
    image.PutU8(entry + kSourceInEntry, ListIndexByte(channel.source));
    for (const TextField& field : kTextFields) {
      image.PutText(entry + field.offsetInEntry, field.width, Latin1FromUtf8(channel.*field.text));
    }
    image.PutU8(entry + kAverageInEntry, ListIndexByte(channel.average));
  }
  return StepResult::Ok();
}

void DecodeTelemetryChannels(const ConfigImage& image, TelemetrySettings& s) {
  s.moduleSupport = ListIndexFromByte(image.GetU8(kModuleSupport), kModuleSupportItems);
  for (std::size_t i = 0; i < s.channels.size(); ++i) {
    TelemetryChannel& channel = s.channels[i];
    const std::size_t entry = ChannelOffset(i);
    channel.source = ListIndexFromByte(image.GetU8(entry + kSourceInEntry),
                                       static_cast<int>(kTelemetrySourceItems.size()));
    for (const TextField& field : kTextFields) {
      channel.*field.text = Utf8FromLatin1(image.GetText(entry + field.offsetInEntry, field.width));
    }
    channel.average = ListIndexFromByte(image.GetU8(entry + kAverageInEntry), kAverageItems);
  }
}

bool ApplyChannelDefaults(TelemetryChannel& channel, int channelNumber) {
  if (channel.source < 0 || channel.source >= static_cast<int>(kSourceDefaults.size())) {
    return false;
  }
  const SourceDefaults& d = kSourceDefaults[static_cast<std::size_t>(channel.source)];
  channel.name = d.name ? d.name : "A" + std::to_string(channelNumber);
  channel.units = d.units;
  channel.coeffA = d.coeffA;
  channel.coeffB = d.coeffB;
  channel.coeffC = d.coeffC;
  return true;
}

}  // namespace vardex
