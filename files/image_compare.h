#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config_image.h"
#include "config_settings.h"
#include "field_rows.h"

namespace vardex {

// The first byte in which what the device gave back differs from what was
// sent: its offset, its page (0 to 15) and its field.
struct ImageMismatch {
  std::size_t offset = 0;
  std::size_t page = 0;
  std::string field;
};
std::optional<ImageMismatch> FirstMismatch(const ConfigImage& sent, const ConfigImage& readBack);

// "page 2 (byte 300: [Network] IP address)" or "page 13 (byte 1700, shown by
// no field)".
std::string DescribeMismatch(const ImageMismatch& mismatch);

// Bytes that a write would otherwise lose: `rebuilt` takes every byte of
// `file` that differs and that no field shows, and a fresh checksum. The
// runs taken are listed in `notes` ("bytes 1600-1603").
void KeepUnshownBytes(const ConfigImage& file, ConfigImage& rebuilt, std::string& notes);

// The first field whose value `image` (built from `settings`) does not keep:
// a text cut to the width of its field, say. A number given in another form
// ("$2A" for 42) is kept. Null when every field is kept.
const FieldRow* FirstFieldNotKept(const ConfigSettings& settings, const ConfigImage& image);

// The field that carries `member` of `settings`; null when none does.
const FieldRow* FieldOfMember(const ConfigSettings& settings, const void* member);

}  // namespace vardex
