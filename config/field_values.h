#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vardex {

// One setting as the pages hold it: a box's text, a list's selection index
// (-1 for none) or a check box's state; a field uses the one its kind needs.
struct FieldValue {
  std::string text = {};
  int index = -1;
  bool check = false;

  bool operator==(const FieldValue&) const = default;
};

// The settings of fields that no code reads by name, found by the field's
// key. A field added to the table alone keeps its value here; a key that was
// never set holds its field's start-up value. At most one entry per field of
// the table, whatever an image holds.
class FieldValues {
 public:
  // The value of `key`, made from `startUp` when it is asked for first.
  FieldValue& At(std::string_view key, const FieldValue& startUp);
  // The value of `key`; null when it has never been asked for.
  const FieldValue* Find(std::string_view key) const;

 private:
  std::map<std::string, FieldValue, std::less<>> values_;
};

}  // namespace vardex
