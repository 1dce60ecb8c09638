#include "command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "cli_platform.h"

namespace vardex {
namespace {

constexpr std::array kOptions = {
    OptionInfo{kOptOutput, "--output", "-o", "FILE",
               "file to write; it is replaced whole or not at all"},
    OptionInfo{kOptTimeout, "--timeout", "", "SECONDS",
               "end a transfer when the device has not replied for this long (default 3)"},
    OptionInfo{kOptQuiet, "--quiet", "-q", "", "no progress bar on standard error"},
    OptionInfo{kOptVerbose, "--verbose", "-v", "", "print the link's log lines on standard error"},
    OptionInfo{kOptTrace, "--trace", "", "FILE",
               "write every byte sent to and read from the port, with the time, to FILE (for a "
               "problem report); written also when the transfer fails"},
    OptionInfo{kOptClock, "--clock", "", "pc|keep",
               "pc (default): the PC's local time goes into the clock fields; keep: the "
               "file's clock values are sent"},
    OptionInfo{kOptBase, "--base", "", "FILE",
               "image whose fields fill what the text leaves out (default: the start-up "
               "settings)"},
    OptionInfo{kOptAll, "--all", "", "",
               "list every failing rule (the first of each beacon, path, server... row), not "
               "only the first"},
    OptionInfo{kOptStrict, "--strict", "", "",
               "the station check's notes fail the check too (exit status 4)"},
    OptionInfo{kOptJson, "--json", "", "", "print JSON for scripts"},
    OptionInfo{kOptRemove, "--remove", "", "", "remove the COM name's link instead of making one"},
    OptionInfo{kOptNoVerify, "--no-verify", "", "",
               "do not read the configuration back after writing it to compare"},
    OptionInfo{kOptForce, "--force", "", "",
               "send a file that looks like a configuration image or plain text as firmware"},
    OptionInfo{kOptBackup, "--backup", "", "FILE",
               "read the configuration and save it to FILE before the upload; nothing is "
               "uploaded when the backup fails"},
};

// The options of the commands offered: the help lists no others.
unsigned OfferedOptions(std::span<const CommandInfo> commands) {
  unsigned bits = 0;
  for (const CommandInfo& command : commands) bits |= command.options;
  return bits;
}

constexpr std::string_view kExitStatusText =
    "Exit status:\n"
    "  0  done\n"
    "  1  usage error; for diff, the images differ\n"
    "  2  a bad file or a failed rule (the message is printed, nothing is sent)\n"
    "  3  the port or the device failed (the reason is printed: permission, busy,\n"
    "     missing, time-out, read checksum error)\n"
    "  4  check --strict: every rule holds, but the station check has notes\n";

const CommandInfo* FindCommand(std::span<const CommandInfo> commands, std::string_view name) {
  for (const CommandInfo& entry : commands) {
    if (entry.name == name)
      return &entry;
  }
  return nullptr;
}

const OptionInfo* FindOption(std::string_view name) {
  for (const OptionInfo& entry : kOptions) {
    if (entry.longName == name || (!entry.shortName.empty() && entry.shortName == name))
      return &entry;
  }
  return nullptr;
}

std::optional<double> ParseSeconds(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > 86400)
    return std::nullopt;
  return value;
}

// Stores one option's value; returns an error text or "".
std::string ApplyOption(const OptionInfo& option, std::string_view value, CommandLine& line) {
  switch (option.bit) {
    case kOptOutput:
      line.output = value;
      break;
    case kOptBase:
      line.base = value;
      break;
    case kOptTimeout: {
      const auto seconds = ParseSeconds(value);
      if (!seconds)
        return "--timeout wants a number of seconds above 0, not \"" + std::string(value) + "\"";
      line.timeoutSeconds = *seconds;
      break;
    }
    case kOptClock:
      if (value == "pc") {
        line.clock = ClockChoice::kPc;
      } else if (value == "keep") {
        line.clock = ClockChoice::kKeep;
      } else {
        return "--clock wants pc or keep, not \"" + std::string(value) + "\"";
      }
      break;
    case kOptQuiet:
      line.quiet = true;
      break;
    case kOptVerbose:
      line.verbose = true;
      break;
    case kOptAll:
      line.all = true;
      break;
    case kOptJson:
      line.json = true;
      break;
    case kOptRemove:
      line.remove = true;
      break;
    case kOptNoVerify:
      line.noVerify = true;
      break;
    case kOptStrict:
      line.strict = true;
      break;
    case kOptForce:
      line.force = true;
      break;
    case kOptBackup:
      line.backup = value;
      break;
    case kOptTrace:
      line.trace = value;
      break;
  }
  return {};
}

// "  head   text", the text wrapped at 79 columns under its own column.
std::string Row(std::string_view head, std::string_view help) {
  constexpr std::size_t kColumn = 26;
  constexpr std::size_t kWidth = 79;
  std::string text = "  " + std::string(head);
  std::size_t lineStart = 0;
  if (text.size() + 2 > kColumn) {
    text += "\n";
    lineStart = text.size();
  }
  text.resize(lineStart + kColumn, ' ');
  while (!help.empty()) {
    std::size_t take = help.size();
    if (kColumn + take > kWidth) {
      take = help.rfind(' ', kWidth - kColumn);
      if (take == std::string_view::npos)
        take = help.size();
    }
    text += help.substr(0, take);
    help.remove_prefix(std::min(help.size(), take + 1));
    text += "\n";
    if (!help.empty())
      text += std::string(kColumn, ' ');
  }
  return text;
}

std::string OptionRow(const OptionInfo& option) {
  std::string head;
  if (!option.shortName.empty())
    head += std::string(option.shortName) + ", ";
  head += option.longName;
  if (!option.argument.empty())
    head += " " + std::string(option.argument);
  return Row(head, option.help);
}

ParsedCommandLine Fail(std::string error) {
  return {std::nullopt, std::move(error)};
}

}  // namespace

std::span<const OptionInfo> Options() {
  return kOptions;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string> args,
                                   std::span<const CommandInfo> commands) {
  CommandLine line;
  if (args.empty())
    return Fail("a command is missing");
  std::size_t next = 0;
  if (args[0] == "--help" || args[0] == "-h") {
    line.help = true;
    return {line, {}};
  }
  if (args[0] == "--version") {
    line.version = true;
    return {line, {}};
  }
  // Not in the help: only the shell completion asks.
  if (args[0] == "--completion-words") {
    line.completionWords = true;
    line.operands.assign(args.begin() + 1, args.end());
    return {line, {}};
  }
  line.command = FindCommand(commands, args[0]);
  if (line.command == nullptr && args[0] == "link")
    return Fail(std::string(kComLinksElsewhere));
  if (line.command == nullptr)
    return Fail("unknown command \"" + args[0] + "\"");
  ++next;

  bool optionsEnded = false;
  for (; next < args.size(); ++next) {
    const std::string& arg = args[next];
    if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
      line.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      line.help = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionInfo* option = FindOption(name);
    if (option == nullptr || (line.command->options & option->bit) == 0)
      return Fail(std::string(line.command->name) + " has no option " + name);
    std::string value;
    if (option->argument.empty()) {
      if (equals != std::string::npos)
        return Fail(name + " takes no value");
    } else if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (next + 1 < args.size()) {
      value = args[++next];
    } else {
      return Fail(name + " wants a value (" + std::string(option->argument) + ")");
    }
    std::string error = ApplyOption(*option, value, line);
    if (!error.empty())
      return Fail(std::move(error));
  }
  if (line.help)
    return {line, {}};
  // --remove stands in for the link's device.
  const std::size_t wanted = line.command->operandCount - (line.remove ? 1 : 0);
  const bool optionalLeftOut =
      line.command->lastOperandOptional && line.operands.size() + 1 == wanted;
  if (line.operands.size() != wanted && !optionalLeftOut) {
    return Fail(std::string(line.command->name) + " wants " + std::to_string(wanted) +
                " argument(s), not " + std::to_string(line.operands.size()));
  }
  if (line.command->needsOutput && line.output.empty())
    return Fail(std::string(line.command->name) + " wants -o FILE");
  return {line, {}};
}

std::string UsageText(std::span<const CommandInfo> commands) {
  std::string text =
      "vardex - command-line companion of the VARDEX Configurator\n"
      "\n"
      "Usage: vardex COMMAND [ARGUMENTS] [OPTIONS]\n"
      "  or:  vardex COMMAND --help\n"
      "  or:  vardex --help | --version\n"
      "Reads, writes and checks the 2048-byte configuration image of a VARDEX and\n"
      "uploads its firmware over a serial port, with the rules and messages of the\n"
      "configurator's window. Results go to standard output; progress and errors go\n"
      "to standard error.\n"
      "\n"
      "Commands:\n";
  for (const CommandInfo& entry : commands) {
    std::string head(entry.name);
    if (!entry.synopsis.empty())
      head += " " + std::string(entry.synopsis);
    text += Row(head, entry.summary);
  }
  text += "\n";
  text += kPortText;
  text += "\nOptions:\n";
  const unsigned offeredOptions = OfferedOptions(commands);
  for (const OptionInfo& option : kOptions) {
    if ((offeredOptions & option.bit) != 0)
      text += OptionRow(option);
  }
  text += Row("-h, --help", "print this help, or a command's help after the command");
  text += Row("--version", "print the version");
  text += "\n";
  text += kExitStatusText;
  return text;
}

std::string CommandHelpText(const CommandInfo& command) {
  std::string text = "Usage: vardex " + std::string(command.name);
  if (!command.synopsis.empty())
    text += " " + std::string(command.synopsis);
  std::string summary(command.summary);
  summary.front() = static_cast<char>(summary.front() - 'a' + 'A');
  text += "\n" + summary + ".\n";
  if (command.options != 0) {
    text += "\nOptions:\n";
    for (const OptionInfo& option : kOptions) {
      if ((command.options & option.bit) != 0)
        text += OptionRow(option);
    }
  }
  text += "\n";
  text += kExitStatusText;
  return text;
}

std::string VersionText() {
  return std::string("vardex (VARDEX Configurator) ") + VARDEX_VERSION + "\n";
}

}  // namespace vardex
