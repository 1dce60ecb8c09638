// vardex: the configurator's command-line companion.
#include <cstdio>
#include <string>
#include <vector>

#include "cli_platform.h"
#include "command_line.h"
#include "command_table.h"
#include "commands.h"
#include "completion_words.h"
#include "exit_codes.h"

int main(int argc, char** argv) {
  const vardex::ProgramSetup setup(argc, argv);
  const std::vector<std::string>& args = setup.Arguments();
  const vardex::ParsedCommandLine parsed = vardex::ParseCommandLine(args, vardex::Commands());
  if (!parsed.line) {
    std::fprintf(stderr, "vardex: %s\nTry \"vardex --help\".\n", parsed.error.c_str());
    return vardex::kExitUsage;
  }
  const vardex::CommandLine& line = *parsed.line;
  if (line.version) {
    std::fputs(vardex::VersionText().c_str(), stdout);
    return vardex::kExitDone;
  }
  if (line.completionWords) {
    std::fputs(vardex::CompletionWords(line.operands).c_str(), stdout);
    return vardex::kExitDone;
  }
  if (line.help) {
    const std::string text = line.command != nullptr ? vardex::CommandHelpText(*line.command)
                                                     : vardex::UsageText(vardex::Commands());
    std::fputs(text.c_str(), stdout);
    return vardex::kExitDone;
  }
  return vardex::RunCommand(line);
}
