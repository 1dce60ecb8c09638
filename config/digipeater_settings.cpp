#include "digipeater_settings.h"

#include <cstdint>

#include "image_text.h"
#include "list_index.h"
#include "number_field.h"

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

}  // namespace

StepResult EncodeDigipeaterSettings(const DigipeaterSettings& s, ConfigImage& image) {
  image.PutU32(kDigipeaterOn, s.digipeaterOn ? 1 : 0);

  StepResult result = StoreNumberField(s.duplicateChecking, {kAntiflood, 4, 15, 180},
                                       "Antiflood timeout - range error (15 - 180).", image);
  if (!result.Succeeded())
    return result;

  // Every row is checked, active or not, named or not.
  for (std::size_t row = 0; row < s.paths.size(); ++row) {
    const DigipeaterPath& path = s.paths[row];
    const std::size_t entry = EntryStart(row);
    image.PutText(entry, kNameWidth, Latin1FromUtf8(path.name));
    // Only the low 8 bits are stored and checked: 1 to 7.
    result =
        StoreNumberField(path.lower, {entry + kLower, 1, 1, 7}, BoundMessage(row, "n>="), image);
    if (!result.Succeeded())
      return result;
    result =
        StoreNumberField(path.higher, {entry + kHigher, 1, 1, 7}, BoundMessage(row, "n<="), image);
    if (!result.Succeeded())
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
