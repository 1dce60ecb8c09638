#include "command_line.h"

#include <gtest/gtest.h>

#include "cli_platform.h"
#include "command_table.h"
#include "completion_words.h"

#include <string>
#include <vector>

namespace vardex {
namespace {

std::string Describe(const ParsedCommandLine& parsed) {
  if (!parsed.line)
    return "error: " + parsed.error;
  const CommandLine& l = *parsed.line;
  std::string text = l.command ? std::string(l.command->name) : "-";
  for (const std::string& operand : l.operands) text += " <" + operand + ">";
  if (!l.output.empty())
    text += " out=" + l.output;
  if (!l.base.empty())
    text += " base=" + l.base;
  if (l.clock == ClockChoice::kKeep)
    text += " keep";
  if (l.timeoutSeconds != 3)
    text += " timeout=" + std::to_string(static_cast<int>(l.timeoutSeconds * 1000)) + "ms";
  if (l.quiet)
    text += " quiet";
  if (l.json)
    text += " json";
  if (l.all)
    text += " all";
  if (l.help)
    text += " help";
  if (l.version)
    text += " version";
  return text;
}

TEST(CommandLine, EveryCommandWithItsOperandsAndOptions) {
  struct Case {
    std::vector<std::string> args;
    std::string expected;
  };
  const Case cases[] = {
      {{"--version"}, "- version"},
      {{"--help"}, "- help"},
      {{"-h"}, "- help"},
      {{"read", "--help"}, "read help"},
      {{"ports"}, "ports"},
      {{"read", "COM1", "-o", "a.img"}, "read <COM1> out=a.img"},
      {{"read", "-o", "a.img", "/dev/ttyUSB0", "--quiet"}, "read </dev/ttyUSB0> out=a.img quiet"},
      {{"read", "COM1", "--output=a.img", "--timeout", "0.5"},
       "read <COM1> out=a.img timeout=500ms"},
      {{"write", "COM2", "x.img"}, "write <COM2> <x.img>"},
      {{"write", "COM2", "x.img", "--clock", "keep"}, "write <COM2> <x.img> keep"},
      {{"write", "COM2", "x.img", "--clock=pc"}, "write <COM2> <x.img>"},
      {{"flash", "COM3", "fw.bin", "--timeout=10"}, "flash <COM3> <fw.bin> timeout=10000ms"},
      {{"show", "a.img", "--json"}, "show <a.img> json"},
      {{"diff", "a.img", "b.img"}, "diff <a.img> <b.img>"},
      {{"check", "a.img", "--all", "--json"}, "check <a.img> json all"},
      {{"export", "a.img", "-o", "a.txt"}, "export <a.img> out=a.txt"},
      {{"import", "a.txt", "--base", "b.img", "-o", "c.img"},
       "import <a.txt> out=c.img base=b.img"},
      {{"defaults", "-o", "d.img"}, "defaults out=d.img"},
      {{"show", "--", "-odd.img"}, "show <-odd.img>"},
      // Refused, with the reason.
      {{}, "error: a command is missing"},
      {{"bogus"}, "error: unknown command \"bogus\""},
      {{"read", "COM1"}, "error: read wants -o FILE"},
      {{"read", "-o", "a.img"}, "error: read wants 1 argument(s), not 0"},
      {{"write", "COM1", "a", "b"}, "error: write wants 2 argument(s), not 3"},
      {{"read", "COM1", "-o"}, "error: -o wants a value (FILE)"},
      {{"show", "a.img", "--all"}, "error: show has no option --all"},
      {{"write", "COM1", "a.img", "--clock", "utc"},
       "error: --clock wants pc or keep, not \"utc\""},
      {{"read", "COM1", "-o", "a", "--timeout", "0"},
       "error: --timeout wants a number of seconds above 0, not \"0\""},
      {{"read", "COM1", "-o", "a", "--timeout", "3s"},
       "error: --timeout wants a number of seconds above 0, not \"3s\""},
      {{"check", "a.img", "--json=yes"}, "error: --json takes no value"},
      {{"ports", "--verbose"}, "error: ports has no option --verbose"},
  };
  for (const Case& c : cases) EXPECT_EQ(Describe(ParseCommandLine(c.args, Commands())), c.expected);
}

TEST(CommandLine, HelpNamesEveryCommandAndExitStatus) {
  const std::string usage = UsageText(Commands());
  EXPECT_TRUE(usage.starts_with("vardex - command-line companion of the VARDEX Configurator\n"));
  for (const char* line :
       {"  read PORT -o FILE       read the device's configuration into an image file\n",
        "  import TEXT [--base FILE] -o FILE\n"
        "                          build an image file from its text form\n",
        "  --timeout SECONDS       end a transfer when the device has not replied for\n"
        "                          this long (default 3)\n",
        "  2  a bad file or a failed", "  3  the port or the device failed"}) {
    EXPECT_NE(usage.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(VersionText(), "vardex (VARDEX Configurator) 1.26.0\n");
  EXPECT_TRUE(CommandHelpText(Commands()[2])
                  .starts_with("Usage: vardex write PORT FILE [--clock pc|keep]\n"
                               "Write an image file to the device.\n"));
}

// Windows has no COM links of this program's own: there "link" is neither
// listed nor completed, and asked for it says what to do instead of failing
// on a missing HOME.
TEST(CommandLine, LinkIsOfferedOnlyWhereComNamesAreThisProgramsOwn) {
  const bool offered = kComLinksElsewhere.empty();
  EXPECT_EQ(UsageText(Commands()).find("\n  link COMn DEVICE") != std::string::npos, offered);
  EXPECT_EQ(UsageText(Commands()).find("\n  --remove ") != std::string::npos, offered);
  EXPECT_EQ(CompletionWords({}).find("\nlink\n") != std::string::npos, offered);
  EXPECT_EQ(Describe(ParseCommandLine(std::vector<std::string>{"link", "COM3", "x"}, Commands())),
            offered ? "link <COM3> <x>"
                    : "error: link is not offered on Windows, where every COM name is the "
                      "system's own. To give an adapter another COM number, open the Device "
                      "Manager, Ports (COM & LPT), the adapter's Properties, Port Settings, "
                      "Advanced..., and choose the COM Port Number there");
}

}  // namespace
}  // namespace vardex
