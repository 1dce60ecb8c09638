#include "image_field.h"

namespace vardex {

bool IsZeroTerminated(FieldKind kind) {
  return kind == FieldKind::kText || kind == FieldKind::kSsidDigit ||
         kind == FieldKind::kDestText || kind == FieldKind::kBase64Token;
}

ValuePart PartOfKind(FieldKind kind) {
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

SettingRef ImageField::Setting(ConfigSettings& settings) const {
  if (setting == nullptr)
    return {};
  return setting(settings, record);
}

ImageField::View ImageField::Read(const ConfigSettings& settings) const {
  const SettingRef ref = Setting(const_cast<ConfigSettings&>(settings));
  return {ref.text, ref.index, ref.check};
}

FieldValue ValueOf(const ImageField& field, const ConfigSettings& settings) {
  FieldValue value;
  const ImageField::View view = field.Read(settings);
  if (view.text != nullptr)
    value.text = *view.text;
  if (view.index != nullptr)
    value.index = *view.index;
  if (view.check != nullptr)
    value.check = *view.check;
  return value;
}

void SetValue(const ImageField& field, ConfigSettings& settings, const FieldValue& value) {
  const SettingRef ref = field.Setting(settings);
  if (ref.text != nullptr)
    *ref.text = value.text;
  if (ref.index != nullptr)
    *ref.index = value.index;
  if (ref.check != nullptr)
    *ref.check = value.check;
}

}  // namespace vardex
