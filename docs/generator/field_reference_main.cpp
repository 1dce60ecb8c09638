// Prints the field reference of the user guide (docs/field-reference.md).
#include <cstdio>
#include <cstring>
#include <string>

#include "field_rules.h"
#include "vardex_version.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("vardex-field-reference (VARDEX Configurator) %s\n", vardex::kVersion);
    return 0;
  }
  const std::string text = vardex::FieldReferenceMarkdown();
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
