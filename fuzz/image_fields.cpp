#include "image_fields.h"

namespace vardex {

const std::array<std::uint8_t, kImageBytes>& ImageByteOwners() {
  static const std::array<std::uint8_t, kImageBytes> owners = [] {
    std::array<std::uint8_t, kImageBytes> all{};
    for (std::size_t i = 0; i < kImageBytes; ++i) {
      const ImageField* field = FieldAtOffset(i);
      all[i] = field == nullptr ? kNoSection : static_cast<std::uint8_t>(field->section);
    }
    return all;
  }();
  return owners;
}

}  // namespace vardex
