#pragma once

#include <string>
#include <vector>

#include "page_tables.h"

namespace vardex {

// What the write rules say about one control: the rules of the image field
// it carries.
struct FieldRules {
  bool wholeNumber = false;           // a text that is not an integer is refused
  std::vector<std::string> messages;  // the rules' messages, in the order they are checked
};

// The rules of one control's field.
FieldRules RulesOf(const ControlRow& control);

// The rules of every control, indexed like PageTables(): [page][control].
std::vector<std::vector<FieldRules>> ControlFieldRules();

// The whole reference page in Markdown.
std::string FieldReferenceMarkdown();

}  // namespace vardex
