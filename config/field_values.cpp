#include "field_values.h"

namespace vardex {

FieldValue& FieldValues::At(std::string_view key, const FieldValue& startUp) {
  const auto found = values_.find(key);
  if (found != values_.end())
    return found->second;
  return values_.emplace(std::string(key), startUp).first->second;
}

const FieldValue* FieldValues::Find(std::string_view key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? nullptr : &found->second;
}

}  // namespace vardex
