#include "secret_fields.h"

#include <algorithm>

namespace vardex {

bool IsSecretField(const ImageField& field) {
  return field.kind == FieldKind::kBase64Token || field.key == "password" ||
         field.key.ends_with(".password");
}

void MaskSecrets(ConfigImage& image) {
  const bool checksumHeld = ImageChecksumHolds(image);
  for (const ImageField& field : ImageFields()) {
    if (!IsSecretField(field) || field.width == 0)
      continue;
    const auto begin = image.bytes.begin() + static_cast<std::ptrdiff_t>(field.offset);
    const auto end = begin + static_cast<std::ptrdiff_t>(field.width);
    if (*begin == 0)
      continue;  // an empty text: nothing to hide
    std::fill(begin, end, std::uint8_t{0});
    // The mark is a zero-terminated text like the value it replaces.
    const std::size_t markLength = std::min(kSecretMark.size(), field.width - 1);
    std::copy_n(kSecretMark.begin(), markLength, begin);
  }
  if (checksumHeld)
    StoreImageChecksum(image);
}

void MaskSecrets(ConfigSettings& settings) {
  for (const ImageField& field : ImageFields()) {
    if (!IsSecretField(field) || !field.HasSetting())
      continue;
    std::string& text = *field.Setting(settings).text;
    if (!text.empty())
      text = kSecretMark;
  }
}

}  // namespace vardex
