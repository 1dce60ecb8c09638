#pragma once

#include <string>
#include <vector>

#include "page_tables.h"

namespace vardex {

// What the write rules say about one control, found by trying values on it.
struct FieldRules {
  bool wholeNumber = false;           // a text that is not an integer is refused
  std::vector<std::string> messages;  // the rules' messages, first seen first
};

// The rules of every control, indexed like PageTables(): [page][control].
// Each control is given a handful of values in turn, the others keeping their
// start-up values, and the page write's own steps say what they refuse; a
// message is filed under the control it names, which need not be the one
// tried ("n should be >= N" names n when N is raised).
std::vector<std::vector<FieldRules>> ProbeFieldRules();

// The whole reference page in Markdown.
std::string FieldReferenceMarkdown();

}  // namespace vardex
