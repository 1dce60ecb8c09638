#include "settings_compare.h"

namespace vardex {
namespace {

// Brackets show where a text ends; texts may hold any byte.
std::string Shown(const ImageField& field, const FieldValue& value) {
  switch (PartOfKind(field.kind)) {
    case ValuePart::kIndex:
      return std::to_string(value.index);
    case ValuePart::kCheck:
      return value.check ? "true" : "false";
    case ValuePart::kText:
      break;
  }
  return value.text;
}

// Compared in place: copies would cost the fuzzer a quarter of its runs.
bool Same(const ImageField& field, const ConfigSettings& a, const ConfigSettings& b) {
  const ImageField::View x = field.Read(a);
  const ImageField::View y = field.Read(b);
  if (x.text != nullptr)
    return *x.text == *y.text;
  if (x.index != nullptr)
    return *x.index == *y.index;
  return x.check == nullptr || *x.check == *y.check;
}

}  // namespace

bool SameSection(const ConfigSettings& a, const ConfigSettings& b, ImageSection section) {
  for (const ImageField& field : SectionFields(section)) {
    if (!Same(field, a, b))
      return false;
  }
  return true;
}

std::string DescribeDifference(const ConfigSettings& a, const ConfigSettings& b,
                               ImageSection section) {
  std::string lines;
  for (const ImageField& field : SectionFields(section)) {
    if (Same(field, a, b))
      continue;
    lines.append(field.key).append(": [").append(Shown(field, ValueOf(field, a))).append("] -> [");
    lines.append(Shown(field, ValueOf(field, b))).append("]\n");
  }
  return lines;
}

void CopySection(ImageSection section, const ConfigSettings& from, ConfigSettings& to) {
  for (const ImageField& field : SectionFields(section)) SetValue(field, to, ValueOf(field, from));
}

}  // namespace vardex
