#include "image_rules.h"

#include <array>
#include <optional>

#include "config_driver.h"
#include "field_rows.h"

namespace vardex {
namespace {

// Everything the pages show for an image, row by row.
std::vector<std::string> ShownValues(const ConfigImage& image) {
  ConfigSettings settings = SettingsFromImage(image);
  std::vector<std::string> values;
  values.reserve(ImageFieldRows().size());
  for (const FieldRow& row : ImageFieldRows()) values.push_back(ShownValue(*row.control, settings));
  return values;
}

bool IsText(const ControlRow& control) {
  return control.kind == ControlKind::kEdit || control.kind == ControlKind::kListText;
}

std::string OwnerName(const FieldRow& row) {
  return "[" + std::string(row.page->caption) + "] " + row.control->label;
}

// The row whose shown value follows the byte at `offset`, on any of a few
// backgrounds: the file itself, all zeros (so a word's high byte counts) and
// all 'A' (so a character deep inside a text counts).
std::optional<std::size_t> OwnerOf(const ConfigImage& file, std::size_t offset) {
  ConfigImage zeros;
  ConfigImage letters;
  letters.bytes.fill('A');
  constexpr std::array<std::uint8_t, 5> kProbes = {0x00, 0x01, 0x31, 0x41, 0xFF};
  for (const ConfigImage* background : std::array<const ConfigImage*, 3>{&file, &zeros, &letters}) {
    ConfigImage probe = *background;
    probe.bytes[offset] = kProbes[0];
    const std::vector<std::string> first = ShownValues(probe);
    for (std::size_t p = 1; p < kProbes.size(); ++p) {
      probe.bytes[offset] = kProbes[p];
      const std::vector<std::string> other = ShownValues(probe);
      for (std::size_t row = 0; row < first.size(); ++row) {
        if (first[row] != other[row])
          return row;
      }
    }
  }
  return std::nullopt;
}

// Rows of one page that repeat per beacon, path, server or channel share an
// instance number.
bool SameRow(const FieldRow& a, const FieldRow& b) {
  return a.page == b.page && a.control->instance == b.control->instance;
}

void CopySetting(const ControlRow& control, const ConfigSettings& from, ConfigSettings& to) {
  ConfigSettings source = from;
  const SettingRef in = control.Setting(source);
  const SettingRef out = control.Setting(to);
  if (out.text != nullptr)
    *out.text = *in.text;
  if (out.index != nullptr)
    *out.index = *in.index;
  if (out.check != nullptr)
    *out.check = *in.check;
}

}  // namespace

StepResult RebuildImage(const ConfigImage& file, ConfigImage& rebuilt) {
  return BuildConfigImage(SettingsFromImage(file), rebuilt);
}

std::vector<std::string> AllRuleFailures(const ConfigSettings& settings) {
  // Rules may tie fields of one row together (n and N of a path), so a
  // failing row goes back to its start-up values as a whole, which always
  // pass together; then the build shows the next failure.
  const std::vector<FieldRow>& rows = ImageFieldRows();
  const ConfigSettings startUp;
  ConfigSettings current = settings;
  std::vector<std::string> failures;
  ConfigImage scratch;
  for (;;) {
    const StepResult result = BuildConfigImage(current, scratch);
    if (result.Succeeded())
      break;
    failures.push_back(FailureText(result));
    bool repaired = false;
    for (std::size_t first = 0; first < rows.size() && !repaired;) {
      std::size_t end = first;
      while (end < rows.size() && SameRow(rows[end], rows[first])) ++end;
      ConfigSettings trial = current;
      for (std::size_t i = first; i < end; ++i) CopySetting(*rows[i].control, startUp, trial);
      const StepResult after = BuildConfigImage(trial, scratch);
      if (after.Succeeded() || FailureText(after) != failures.back()) {
        current = trial;
        repaired = true;
      }
      first = end;
    }
    if (!repaired)
      break;
  }
  return failures;
}

std::vector<ByteDifference> ExplainDifferences(const ConfigImage& file,
                                               const ConfigImage& rebuilt) {
  const std::vector<FieldRow>& rows = ImageFieldRows();
  std::vector<ByteDifference> differences;
  std::optional<std::size_t> previousOwner;  // of the byte before, when it differed or was probed
  // Bytes 0 to 3 are the checksum: they differ only when other bytes do.
  for (std::size_t offset = ConfigImage::kChecksumFirst; offset < ConfigImage::kSize; ++offset) {
    if (file.bytes[offset] == rebuilt.bytes[offset]) {
      previousOwner.reset();
      continue;
    }
    std::optional<std::size_t> owner;
    if (offset < ConfigImage::kChecksumEnd)
      owner = OwnerOf(file, offset);
    std::string name;
    if (owner) {
      name = OwnerName(rows[*owner]);
    } else {
      // The byte behind a text's last character is where its zero byte goes.
      const std::optional<std::size_t> before =
          previousOwner ? previousOwner : OwnerOf(file, offset - 1);
      if (before && IsText(*rows[*before].control))
        name = OwnerName(rows[*before]) + ": its zero byte";
    }
    previousOwner = owner;
    if (!differences.empty() && differences.back().last + 1 == offset &&
        differences.back().owner == name) {
      differences.back().last = offset;
    } else {
      differences.push_back({offset, offset, name});
    }
  }
  return differences;
}

std::string DescribeDifference(const ByteDifference& d) {
  std::string text = d.first == d.last
                         ? "byte " + std::to_string(d.first)
                         : "bytes " + std::to_string(d.first) + "-" + std::to_string(d.last);
  return text + ": " + (d.owner.empty() ? std::string("not shown by any field") : d.owner);
}

}  // namespace vardex
