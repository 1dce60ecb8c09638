#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "config_image.h"
#include "config_settings.h"

namespace vardex {

// Where a setting's value lives inside one `ConfigSettings`: exactly one of
// the three is set (text for boxes, index for lists, check for switches).
struct SettingRef {
  std::string* text = nullptr;
  int* index = nullptr;
  bool* check = nullptr;

  // The setting's address, whichever kind it is; null for none.
  const void* Address() const {
    return text != nullptr    ? static_cast<const void*>(text)
           : index != nullptr ? static_cast<const void*>(index)
                              : check;
  }
};

// The settings sections in the order "Write config" validates them.
enum class ImageSection : std::uint8_t {
  kRadio,
  kDigipeater,
  kBeacons,
  kNetwork,
  kAprsIs,
  kWeather,
  kClock,
  kAccess,
  kTelemetry,
  kTelemetryData,
  kTelemetryParameters,
};
inline constexpr std::size_t kImageSectionCount = 11;

// Which value a number box's range check looks at.
enum class RangeOf : std::uint8_t {
  // The bits stored in the image, taken as unsigned: a negative entry in a
  // 32-bit field is a large value that fails the upper bound, and a byte
  // field checks only the low 8 bits of what was typed.
  kStoredBits,
  // The typed value as a signed integer, before it is cut to the field.
  kTypedValue,
};

// How a field's setting is held in its bytes.
enum class FieldKind : std::uint8_t {
  kNumber,       // a number box: little-endian low bits of the typed integer
  kClockWord,    // a clock set value: signed 32 bits, not shown back by the window
  kText,         // Latin-1 text, zero-terminated inside the field
  kCallsign,     // six characters padded with spaces, no zero byte
  kSsidDigit,    // the SSID as the character '0' + n, then a zero byte
  kListByte,     // a list's index in one byte, 0xFF for none
  kDestText,     // a Dest list's entry, stored as its text
  kCheckByte,    // a check box: one byte, 0 or 1
  kSwitch32,     // a check box stored as a 32-bit word, 0 or 1
  kBase64Token,  // the web login as a Base64 text, computed, never shown
  kNotStored,    // a setting of the window alone (no bytes)
};

// Which part of a setting a field of a kind holds: a box's text, a list's
// selection index, or a check box's state.
enum class ValuePart : std::uint8_t { kText, kIndex, kCheck };
inline ValuePart PartOfKind(FieldKind kind) {
  switch (kind) {
    case FieldKind::kListByte:
    case FieldKind::kDestText:
      return ValuePart::kIndex;
    case FieldKind::kCheckByte:
    case FieldKind::kSwitch32:
    case FieldKind::kNotStored:
      return ValuePart::kCheck;
    default:
      return ValuePart::kText;
  }
}

// True for the kinds whose field ends with a zero byte that no text fills.
inline bool IsZeroTerminated(FieldKind kind) {
  return kind == FieldKind::kText || kind == FieldKind::kSsidDigit ||
         kind == FieldKind::kDestText || kind == FieldKind::kBase64Token;
}

struct ImageField;

// A rule that is not a range: it looks at the field's setting and the image
// and fails with the row's `ruleMessage`.
using FieldRule = bool (*)(const ImageField& field, const ConfigSettings& settings,
                           const ConfigImage& image);

// One field of the image. Repeated records appear once per record, with
// their number in the key and the message.
struct ImageField {
  std::string key;  // "radio.txDelay", "beacon[3].rateRf" (records count from 1)
  ImageSection section = ImageSection::kRadio;
  FieldKind kind = FieldKind::kNumber;
  std::size_t offset = 0;
  std::size_t width = 0;
  std::int64_t low = 0;  // kNumber and kSsidDigit: the allowed range
  std::int64_t high = 0;
  RangeOf range = RangeOf::kStoredBits;
  bool emptyIsUnset = false;  // an empty box stores nothing and passes
  int listItems = 0;          // kListByte, kDestText: how many entries the list has
  std::string message;        // refusal of the range, "" when there is none
  FieldRule rule = nullptr;   // checked after the field is stored
  bool ruleFirst = false;     // checked before anything is stored
  std::string ruleMessage;
  std::size_t partner = 0;  // the offset of the field a rule compares with
  // Where the setting lives; the record's index (from 0) picks the record.
  // Null for the web login token alone.
  SettingRef (*setting)(ConfigSettings& settings, int record) = nullptr;
  int record = 0;

  // False for the web login token, which is computed and never held.
  bool HasSetting() const { return kind != FieldKind::kBase64Token; }
  SettingRef Setting(ConfigSettings& settings) const {
    return setting != nullptr ? setting(settings, record) : SettingRef{};
  }
  // The same setting, read-only.
  struct View {
    const std::string* text;
    const int* index;
    const bool* check;
  };
  View Read(const ConfigSettings& settings) const {
    const SettingRef ref = Setting(const_cast<ConfigSettings&>(settings));
    return {ref.text, ref.index, ref.check};
  }
  const std::string& Text(const ConfigSettings& settings) const { return *Read(settings).text; }
  int Index(const ConfigSettings& settings) const { return *Read(settings).index; }
  bool Check(const ConfigSettings& settings) const { return *Read(settings).check; }
};

}  // namespace vardex
