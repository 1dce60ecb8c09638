#include "number_field.h"

#include <string>

namespace vardex {
namespace {

std::uint32_t Store(const NumberField& field, std::uint32_t bits, ConfigImage& image) {
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

}  // namespace

StepResult StoreNumberField(const std::string& text, const NumberField& field,
                            std::string_view message, ConfigImage& image) {
  StepResult result;
  const auto value = ConvertField(text, result);
  if (!value)
    return result;
  // Written before it is checked: a failed check ends the write, and a
  // failed image is never sent.
  const std::uint32_t stored = Store(field, static_cast<std::uint32_t>(*value), image);
  const std::int64_t checked = field.range == RangeOf::kStoredBits ? stored : *value;
  if (checked < field.low || checked > field.high)
    return StepResult::Invalid(std::string(message)).About(&text);
  return StepResult::Ok();
}

}  // namespace vardex
