#include "completion_words.h"

#include <string_view>

#include "command_table.h"

namespace vardex {
namespace {

std::string OptionLine(std::string_view name, std::string_view argument) {
  std::string line = "option " + std::string(name);
  if (!argument.empty())
    line += " " + std::string(argument);
  return line + "\n";
}

// The first `count` words of the synopsis are the operands' kinds.
std::string OperandLines(const CommandInfo& command) {
  std::string text;
  std::string_view synopsis = command.synopsis;
  for (std::size_t i = 0; i < command.operandCount && !synopsis.empty(); ++i) {
    const std::size_t end = synopsis.find(' ');
    text += "operand " + std::string(synopsis.substr(0, end)) + "\n";
    synopsis.remove_prefix(end == std::string_view::npos ? synopsis.size() : end + 1);
  }
  return text;
}

}  // namespace

std::string CompletionWords(std::span<const std::string> command) {
  std::string text;
  if (command.empty()) {
    for (const CommandInfo& entry : Commands()) text += std::string(entry.name) + "\n";
    return text;
  }
  for (const CommandInfo& entry : Commands()) {
    if (entry.name != command.front())
      continue;
    text = OperandLines(entry);
    for (const OptionInfo& option : Options()) {
      if ((entry.options & option.bit) == 0)
        continue;
      if (!option.shortName.empty())
        text += OptionLine(option.shortName, option.argument);
      text += OptionLine(option.longName, option.argument);
    }
    text += OptionLine("--help", "");
  }
  return text;
}

}  // namespace vardex
