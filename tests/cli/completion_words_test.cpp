#include "completion_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"

namespace vardex {
namespace {

// The lists the shell completion reads: operand kinds in order, every option
// a command takes under both names with its value's kind, nothing else.
TEST(CompletionWords, CommandsOperandsAndOptionsFromTheTables) {
  struct Case {
    std::vector<std::string> command;
    std::string expected;
  };
  const Case cases[] = {
      {{}, "ports\nread\nwrite\nflash\nshow\ndiff\ncheck\nexport\nimport\ndefaults\n"},
      {{"ports"}, "option --help\n"},
      {{"read"},
       "operand PORT\n"
       "option -o FILE\noption --output FILE\noption --timeout SECONDS\n"
       "option -q\noption --quiet\noption -v\noption --verbose\noption --help\n"},
      {{"write"},
       "operand PORT\noperand FILE\n"
       "option --timeout SECONDS\noption -q\noption --quiet\noption -v\noption --verbose\n"
       "option --clock pc|keep\noption --help\n"},
      {{"import"},
       "operand TEXT\n"
       "option -o FILE\noption --output FILE\noption --base FILE\noption --help\n"},
      {{"diff"}, "operand A\noperand B\noption --json\noption --help\n"},
      {{"defaults"}, "option -o FILE\noption --output FILE\noption --help\n"},
      {{"nosuch"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CompletionWords(c.command), c.expected) << c.expected;
}

TEST(CompletionWords, TheHiddenOptionCarriesTheCommandName) {
  const std::vector<std::string> args = {"--completion-words", "flash"};
  const ParsedCommandLine parsed = ParseCommandLine(args);
  ASSERT_TRUE(parsed.line);
  EXPECT_TRUE(parsed.line->completionWords);
  EXPECT_EQ(parsed.line->operands, std::vector<std::string>{"flash"});
  EXPECT_EQ(UsageText().find("completion"), std::string::npos);
}

}  // namespace
}  // namespace vardex
