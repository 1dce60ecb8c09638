#include "settings_compare.h"

namespace vardex {
namespace {

bool Same(const ImageField& field, const ConfigSettings& a, const ConfigSettings& b) {
  const ImageField::View x = field.Read(a);
  const ImageField::View y = field.Read(b);
  if (x.text != nullptr)
    return *x.text == *y.text;
  if (x.index != nullptr)
    return *x.index == *y.index;
  return *x.check == *y.check;
}

// Brackets show where a text ends; texts may hold any byte.
std::string Shown(const ImageField& field, const ConfigSettings& settings) {
  const ImageField::View view = field.Read(settings);
  if (view.text != nullptr)
    return *view.text;
  if (view.index != nullptr)
    return std::to_string(*view.index);
  return *view.check ? "true" : "false";
}

}  // namespace

bool SameSection(const ConfigSettings& a, const ConfigSettings& b, ImageSection section) {
  for (const ImageField& field : SectionFields(section)) {
    if (field.HasSetting() && !Same(field, a, b))
      return false;
  }
  return true;
}

std::string DescribeDifference(const ConfigSettings& a, const ConfigSettings& b,
                               ImageSection section) {
  std::string lines;
  for (const ImageField& field : SectionFields(section)) {
    if (!field.HasSetting() || Same(field, a, b))
      continue;
    lines.append(field.key).append(": [").append(Shown(field, a)).append("] -> [");
    lines.append(Shown(field, b)).append("]\n");
  }
  return lines;
}

void CopySection(ImageSection section, const ConfigSettings& from, ConfigSettings& to) {
  for (const ImageField& field : SectionFields(section)) {
    if (!field.HasSetting())
      continue;
    const ImageField::View in = field.Read(from);
    const SettingRef out = field.Setting(to);
    if (in.text != nullptr)
      *out.text = *in.text;
    else if (in.index != nullptr)
      *out.index = *in.index;
    else
      *out.check = *in.check;
  }
}

}  // namespace vardex
