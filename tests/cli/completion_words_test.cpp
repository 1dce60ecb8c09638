#include "completion_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_table.h"

namespace vardex {
namespace {

// The word lists themselves are checked by completing through bash
// (bash_completion_test.sh); here only that the option stays hidden.
TEST(CompletionWords, TheHiddenOptionCarriesTheCommandName) {
  const std::vector<std::string> args = {"--completion-words", "flash"};
  const ParsedCommandLine parsed = ParseCommandLine(args, Commands());
  ASSERT_TRUE(parsed.line);
  EXPECT_TRUE(parsed.line->completionWords);
  EXPECT_EQ(parsed.line->operands, std::vector<std::string>{"flash"});
  EXPECT_EQ(UsageText(Commands()).find("completion"), std::string::npos);
}

}  // namespace
}  // namespace vardex
