#pragma once

#include <string>

namespace vardex {

// One setting as the pages hold it: a box's text, a list's selection index
// (-1 for none) or a check box's state; a field uses the one its kind needs.
struct FieldValue {
  std::string text = {};
  int index = -1;
  bool check = false;

  bool operator==(const FieldValue&) const = default;
};

}  // namespace vardex
