#include "digipeater_settings.h"

#include <cstdint>

#include "image_text.h"
#include "list_index.h"

namespace vardex {
namespace {

constexpr std::size_t kDigipeaterOn = 20;
constexpr std::size_t kAntiflood = 24;
constexpr std::size_t kFirstPath = 1076;
constexpr std::size_t kPathEntrySize = 12;
// Entry layout: name (7 characters and a zero byte), n>=, n<=, traceable, active.
constexpr std::size_t kNameWidth = 8;
constexpr std::size_t kLower = 8;
constexpr std::size_t kHigher = 9;
constexpr std::size_t kTraceable = 10;
constexpr std::size_t kActive = 11;
constexpr int kTraceableItems = 2;

std::size_t EntryStart(std::size_t row) {
  return kFirstPath + kPathEntrySize * row;
}

std::string BoundMessage(std::size_t row, std::string_view bound) {
  return "Path(n-N) " + std::to_string(row + 1) + ", " + std::string(bound) +
         " value range error (1 - 7).";
}

// Stores the low 8 bits of the box's value; the stored byte must be 1 to 7.
StepResult EncodeBound(std::string_view text, std::size_t offset, std::size_t row,
                       std::string_view bound, ConfigImage& image) {
  StepResult result;
  const auto value = ConvertField(text, result);
  if (!value)
    return result;
  image.PutU8(offset, static_cast<std::uint8_t>(*value));
  const std::uint8_t stored = image.GetU8(offset);
  if (stored == 0 || stored > 7)
    return StepResult::Invalid(BoundMessage(row, bound));
  return StepResult::Ok();
}

}  // namespace

StepResult EncodeDigipeaterSettings(const DigipeaterSettings& s, ConfigImage& image) {
  image.PutU32(kDigipeaterOn, s.digipeaterOn ? 1 : 0);

  StepResult result;
  const auto antiflood = ConvertField(s.duplicateChecking, result);
  if (!antiflood)
    return result;
  image.PutU32(kAntiflood, static_cast<std::uint32_t>(*antiflood));
  if (image.GetU32(kAntiflood) < 15 || image.GetU32(kAntiflood) > 180) {
    return StepResult::Invalid("Antiflood timeout - range error (15 - 180).");
  }

  // Every row is checked, active or not, named or not.
  for (std::size_t row = 0; row < s.paths.size(); ++row) {
    const DigipeaterPath& path = s.paths[row];
    const std::size_t entry = EntryStart(row);
    image.PutText(entry, kNameWidth, Latin1FromUtf8(path.name));
    result = EncodeBound(path.lower, entry + kLower, row, "n>=", image);
    if (!result.ok())
      return result;
    result = EncodeBound(path.higher, entry + kHigher, row, "n<=", image);
    if (!result.ok())
      return result;
    image.PutU8(entry + kTraceable, ListIndexByte(path.traceable));
    image.PutU8(entry + kActive, path.active ? 1 : 0);
  }
  return StepResult::Ok();
}

void DecodeDigipeaterSettings(const ConfigImage& image, DigipeaterSettings& s) {
  s.digipeaterOn = image.GetU32(kDigipeaterOn) != 0;
  s.duplicateChecking = std::to_string(image.GetU32(kAntiflood));
  for (std::size_t row = 0; row < s.paths.size(); ++row) {
    DigipeaterPath& path = s.paths[row];
    const std::size_t entry = EntryStart(row);
    path.name = Utf8FromLatin1(image.GetText(entry, kNameWidth));
    path.lower = std::to_string(image.GetU8(entry + kLower));
    path.higher = std::to_string(image.GetU8(entry + kHigher));
    path.traceable = ListIndexFromByte(image.GetU8(entry + kTraceable), kTraceableItems);
    path.active = image.GetU8(entry + kActive) != 0;
  }
}

}  // namespace vardex
