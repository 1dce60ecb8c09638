// Prints the field reference of the user guide (docs/field-reference.md).
#include <cstdio>
#include <string>

#include "field_rules.h"

int main() {
  const std::string text = vardex::FieldReferenceMarkdown();
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
