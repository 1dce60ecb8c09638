#include "station_notes.h"

namespace vardex {

FieldPlace PlaceOfFinding(const StationFinding& finding) {
  const ImageField* field = FindField(finding.key);
  return field != nullptr ? PlaceOf(*field) : FieldPlace{};
}

std::string FindingPlaceText(const StationFinding& finding) {
  const FieldPlace place = PlaceOfFinding(finding);
  if (place.control == nullptr)
    return finding.key;
  return std::string(place.page->caption) + ", " + place.control->label + " (" + finding.key + ")";
}

std::string FindingText(const StationFinding& finding) {
  return FindingPlaceText(finding) + "\n  On the air: " + finding.onAir +
         "\n  To do: " + finding.advice + "\n  Source: " + finding.source + "\n";
}

std::string NotesCountText(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " note" : " notes") + " on this configuration";
}

}  // namespace vardex
