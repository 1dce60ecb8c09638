#include "image_compare.h"

#include "config_driver.h"
#include "image_rules.h"
#include "integer_conversion.h"

namespace vardex {

std::optional<ImageMismatch> FirstMismatch(const ConfigImage& sent, const ConfigImage& readBack) {
  // The checksum differs whenever a field does: the field is the news.
  for (std::size_t n = 0; n < ConfigImage::kSize; ++n) {
    const std::size_t i = (n + ConfigImage::kChecksumFirst) % ConfigImage::kSize;
    if (sent.bytes[i] != readBack.bytes[i])
      return ImageMismatch{i, i / ConfigImage::kPageSize, OwnerOfByte(i)};
  }
  return std::nullopt;
}

std::string DescribeMismatch(const ImageMismatch& mismatch) {
  std::string text =
      "page " + std::to_string(mismatch.page) + " (byte " + std::to_string(mismatch.offset);
  if (mismatch.offset < ConfigImage::kChecksumFirst)
    return text + ": the checksum)";
  if (mismatch.field.empty())
    return text + ", shown by no field)";
  return text + ": " + mismatch.field + ")";
}

void KeepUnshownBytes(const ConfigImage& file, ConfigImage& rebuilt, std::string& notes) {
  bool kept = false;
  for (const ByteDifference& difference : ExplainDifferences(file, rebuilt)) {
    if (!difference.owner.empty())
      continue;
    for (std::size_t i = difference.first; i <= difference.last; ++i)
      rebuilt.bytes[i] = file.bytes[i];
    notes += (notes.empty() ? "" : ", ") +
             std::string(difference.first == difference.last ? "byte " : "bytes ") +
             std::to_string(difference.first) +
             (difference.last > difference.first ? "-" + std::to_string(difference.last) : "");
    kept = true;
  }
  if (kept)
    StoreImageChecksum(rebuilt);
}

const FieldRow* FirstFieldNotKept(const ConfigSettings& settings, const ConfigImage& image) {
  ConfigSettings given = settings;
  ConfigSettings kept = settings;
  ShowConfigImage(image, kept);
  for (const FieldRow& row : ImageFieldRows()) {
    const std::string before = ShownValue(*row.control, given);
    const std::string after = ShownValue(*row.control, kept);
    if (before == after)
      continue;
    const std::optional<std::int32_t> number = ConvertInteger(before);
    if (number && ConvertInteger(after) == number)
      continue;
    return &row;
  }
  return nullptr;
}

const FieldRow* FieldOfMember(const ConfigSettings& settings, const void* member) {
  const ImageField* field = FieldHolding(settings, member);
  if (field == nullptr)
    return nullptr;
  for (const FieldRow& row : ImageFieldRows()) {
    if (row.control->field == field)
      return &row;
  }
  return nullptr;
}

}  // namespace vardex
