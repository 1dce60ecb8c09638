#include "image_rules.h"

#include "config_driver.h"
#include "field_rows.h"

namespace vardex {
namespace {

bool IsText(const ControlRow& control) {
  return control.kind == ControlKind::kEdit || control.kind == ControlKind::kListText;
}

std::string OwnerName(const FieldPlace& place) {
  return "[" + std::string(place.page->caption) + "] " + place.control->label;
}

// Rows of one page that repeat per beacon, path, server or channel share an
// instance number.
bool SameRow(const FieldRow& a, const FieldRow& b) {
  return a.page == b.page && a.control->instance == b.control->instance;
}

}  // namespace

std::string OwnerOfByte(std::size_t offset) {
  const ImageField* field = FieldAtOffset(offset);
  const FieldPlace place = field != nullptr ? PlaceOf(*field) : FieldPlace{};
  if (place.control == nullptr)
    return {};
  std::string name = OwnerName(place);
  if (IsText(*place.control) && IsZeroTerminated(field->kind) &&
      offset + 1 == field->offset + field->width)
    name += ": its zero byte";
  return name;
}

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
      for (std::size_t i = first; i < end; ++i) {
        const ImageField& field = *rows[i].control->field;
        SetValue(field, trial, ValueOf(field, startUp));
      }
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
  std::vector<ByteDifference> differences;
  // Bytes 0 to 3 are the checksum: they differ only when other bytes do.
  for (std::size_t offset = ConfigImage::kChecksumFirst; offset < ConfigImage::kSize; ++offset) {
    if (file.bytes[offset] == rebuilt.bytes[offset])
      continue;
    const std::string name = OwnerOfByte(offset);
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
