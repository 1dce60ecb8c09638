#include "field_codec.h"

#include <cstdint>
#include <string>

#include "config_driver.h"
#include "image_text.h"
#include "list_index.h"
#include "rule_functions.h"

namespace vardex {
namespace {

StepResult Refused(const ImageField& field, const ConfigSettings& settings) {
  return StepResult::Invalid(field.ruleMessage).About(&field.Text(settings));
}

// The SSID is converted and checked before it is stored as a digit.
StepResult PutSsidDigit(const ImageField& field, const ConfigSettings& settings,
                        ConfigImage& image) {
  StepResult result;
  const std::string& text = field.Text(settings);
  const auto value = ConvertField(text, result);
  if (!value)
    return result;
  if (*value < field.low || *value > field.high)
    return StepResult::Invalid(field.message).About(&text);
  image.PutU8(field.offset, static_cast<std::uint8_t>(0x30 + *value));
  image.PutU8(field.offset + 1, 0);
  return StepResult::Ok();
}

void PutCallsign(const ImageField& field, const ConfigSettings& settings, ConfigImage& image) {
  const std::string callsign = Latin1FromUtf8(field.Text(settings));
  image.PutBytes(field.offset, std::string(field.width, ' '));
  image.PutBytes(field.offset, std::string_view(callsign).substr(0, field.width));
}

StepResult PutClockWord(const ImageField& field, const ConfigSettings& settings,
                        ConfigImage& image) {
  StepResult result;
  const auto value = ConvertField(field.Text(settings), result);
  if (!value)
    return result;
  image.PutU32(field.offset, static_cast<std::uint32_t>(*value));
  return StepResult::Ok();
}

// The low `width` bytes of `bits`, little-endian; what the field now holds.
std::uint32_t PutLowBytes(const ImageField& field, std::uint32_t bits, ConfigImage& image) {
  switch (field.width) {
    case 1:
      image.PutU8(field.offset, static_cast<std::uint8_t>(bits));
      return image.GetU8(field.offset);
    case 2:
      image.PutU16(field.offset, static_cast<std::uint16_t>(bits));
      return image.GetU16(field.offset);
    default:
      image.PutU32(field.offset, bits);
      return image.GetU32(field.offset);
  }
}

// A number box: converted, stored, then checked against its range. A text
// that does not convert stores nothing.
StepResult PutNumber(const ImageField& field, const ConfigSettings& settings, ConfigImage& image) {
  const std::string& text = field.Text(settings);
  if (field.emptyIsUnset && text.empty())
    return StepResult::Ok();
  StepResult result;
  const auto value = ConvertField(text, result);
  if (!value)
    return result;
  // Written before it is checked: a failed check ends the write, and a
  // failed image is never sent.
  const std::uint32_t stored = PutLowBytes(field, static_cast<std::uint32_t>(*value), image);
  const std::int64_t checked = field.range == RangeOf::kStoredBits ? stored : *value;
  if (checked < field.low || checked > field.high)
    return StepResult::Invalid(field.message).About(&text);
  return StepResult::Ok();
}

// The whole field must match an entry, zero byte included; otherwise the
// selection stays as it was.
void ShowDestination(const ImageField& field, const ConfigImage& image, int& dest) {
  for (std::size_t i = 0; i < kDestinationList.size(); ++i) {
    const std::string_view entry = kDestinationList[i];
    bool matches = image.GetU8(field.offset + entry.size()) == 0;
    for (std::size_t j = 0; matches && j < entry.size(); ++j)
      matches = image.GetU8(field.offset + j) == static_cast<std::uint8_t>(entry[j]);
    if (matches)
      dest = static_cast<int>(i);
  }
}

std::string StoredNumber(const ImageField& field, const ConfigImage& image) {
  switch (field.width) {
    case 1:
      return std::to_string(image.GetU8(field.offset));
    case 2:
      return std::to_string(image.GetU16(field.offset));
    default:
      return std::to_string(image.GetU32(field.offset));
  }
}

}  // namespace

StepResult EncodeField(const ImageField& field, const ConfigSettings& settings,
                       ConfigImage& image) {
  if (field.rule != nullptr && field.ruleFirst && !field.rule(field, settings, image))
    return Refused(field, settings);
  StepResult result;
  switch (field.kind) {
    case FieldKind::kNumber:
      result = PutNumber(field, settings, image);
      break;
    case FieldKind::kClockWord:
      result = PutClockWord(field, settings, image);
      break;
    case FieldKind::kText:
      image.PutText(field.offset, field.width, Latin1FromUtf8(field.Text(settings)));
      break;
    case FieldKind::kCallsign:
      PutCallsign(field, settings, image);
      break;
    case FieldKind::kSsidDigit:
      result = PutSsidDigit(field, settings, image);
      break;
    case FieldKind::kListByte:
      image.PutU8(field.offset, ListIndexByte(field.Index(settings)));
      break;
    case FieldKind::kDestText: {
      const int dest = field.Index(settings);
      if (dest >= 0 && dest < static_cast<int>(kDestinationList.size()))
        image.PutText(field.offset, field.width, kDestinationList[static_cast<std::size_t>(dest)]);
      break;
    }
    case FieldKind::kCheckByte:
      image.PutU8(field.offset, field.Check(settings) ? 1 : 0);
      break;
    case FieldKind::kSwitch32:
      image.PutU32(field.offset, field.Check(settings) ? 1 : 0);
      break;
    case FieldKind::kBase64Token:
      PutWebLoginToken(field, settings, image);
      break;
    case FieldKind::kNotStored:
      break;
  }
  if (!result.Succeeded())
    return result;
  if (field.rule != nullptr && !field.ruleFirst && !field.rule(field, settings, image))
    return Refused(field, settings);
  return StepResult::Ok();
}

void DecodeField(const ImageField& field, const ConfigImage& image, ConfigSettings& settings) {
  if (!field.HasSetting())
    return;
  const SettingRef ref = field.Setting(settings);
  switch (field.kind) {
    case FieldKind::kNumber:
      *ref.text = StoredNumber(field, image);
      break;
    case FieldKind::kText:
      *ref.text = Utf8FromLatin1(image.GetText(field.offset, field.width));
      break;
    case FieldKind::kCallsign:
      // No terminator of its own: every byte counts.
      *ref.text = Utf8FromLatin1(image.GetText(field.offset, field.width + 1));
      break;
    case FieldKind::kSsidDigit:
      *ref.text = std::to_string(static_cast<std::uint8_t>(image.GetU8(field.offset) - 0x30));
      break;
    case FieldKind::kListByte:
      *ref.index = ListIndexFromByte(image.GetU8(field.offset), field.listItems);
      break;
    case FieldKind::kDestText:
      ShowDestination(field, image, *ref.index);
      break;
    case FieldKind::kCheckByte:
      *ref.check = image.GetU8(field.offset) != 0;
      break;
    case FieldKind::kSwitch32:
      *ref.check = image.GetU32(field.offset) != 0;
      break;
    case FieldKind::kClockWord:
    case FieldKind::kBase64Token:
    case FieldKind::kNotStored:
      break;
  }
}

StepResult EncodeFields(std::span<const ImageField> fields, const ConfigSettings& settings,
                        ConfigImage& image) {
  for (const ImageField& field : fields) {
    StepResult result = EncodeField(field, settings, image);
    if (!result.Succeeded())
      return result;
  }
  return StepResult::Ok();
}

void DecodeFields(std::span<const ImageField> fields, const ConfigImage& image,
                  ConfigSettings& settings) {
  for (const ImageField& field : fields) DecodeField(field, image, settings);
}

StepResult EncodeSection(ImageSection section, const ConfigSettings& settings, ConfigImage& image) {
  return EncodeFields(SectionFields(section), settings, image);
}

void DecodeSection(ImageSection section, const ConfigImage& image, ConfigSettings& settings) {
  DecodeFields(SectionFields(section), image, settings);
}

StepResult BuildConfigImage(const ConfigSettings& settings, ConfigImage& image) {
  image.Clear();
  StepResult result = EncodeFields(ImageFields(), settings, image);
  if (result.Succeeded())
    StoreImageChecksum(image);
  return result;
}

void ShowConfigImage(const ConfigImage& image, ConfigSettings& settings) {
  DecodeFields(ImageFields(), image, settings);
}

void DecodeClockWords(const ConfigImage& image, ConfigSettings& settings) {
  for (const ImageField& field : SectionFields(ImageSection::kClock)) {
    if (field.kind == FieldKind::kClockWord)
      *field.Setting(settings).text =
          std::to_string(static_cast<std::int32_t>(image.GetU32(field.offset)));
  }
}

}  // namespace vardex
