#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link_session.h"

namespace vardex {

enum class ClockChoice { kPc, kKeep };

// Options a subcommand may accept, as bits.
enum CliOption : unsigned {
  kOptOutput = 1u << 0,
  kOptTimeout = 1u << 1,
  kOptQuiet = 1u << 2,
  kOptClock = 1u << 3,
  kOptJson = 1u << 4,
  kOptAll = 1u << 5,
  kOptBase = 1u << 6,
  kOptVerbose = 1u << 7,
  kOptRemove = 1u << 8,
  kOptNoVerify = 1u << 9,
  kOptStrict = 1u << 10,
  kOptForce = 1u << 11,
  kOptBackup = 1u << 12,
  kOptTrace = 1u << 13,
};

struct CommandLine;

// One subcommand: its operands, the options it takes, its help line and
// what runs it.
struct CommandInfo {
  std::string_view name;
  std::string_view synopsis;  // operands and options as shown in the usage
  std::size_t operandCount;
  unsigned options;
  bool needsOutput;
  std::string_view summary;
  int (*run)(const CommandLine& line);
  bool lastOperandOptional = false;
};

// One option: the command bit it belongs to, its names and its help line.
struct OptionInfo {
  CliOption bit;
  std::string_view longName;
  std::string_view shortName;
  std::string_view argument;  // empty for a switch
  std::string_view help;
};

// Every option, in the order the help lists them.
std::span<const OptionInfo> Options();

struct CommandLine {
  const CommandInfo* command = nullptr;  // null for "vardex --help/--version"
  std::vector<std::string> operands;
  std::string output;
  std::string base;
  std::string backup;  // flash: where the configuration is saved first
  std::string trace;   // where the port's trace is written after a transfer command
  ClockChoice clock = ClockChoice::kPc;
  double timeoutSeconds = std::chrono::duration<double>(kNoReplyTimeout).count();
  bool quiet = false;
  bool verbose = false;
  bool json = false;
  bool all = false;
  bool remove = false;
  bool noVerify = false;
  bool strict = false;
  bool force = false;
  bool help = false;
  bool version = false;
  // "vardex --completion-words [COMMAND]": the shell completion's word
  // lists; `operands` holds the command name, if any.
  bool completionWords = false;
};

struct ParsedCommandLine {
  std::optional<CommandLine> line;  // empty on a usage error
  std::string error;
};

// `args` without the program name. Options may come anywhere after the
// subcommand, as "--name value" or "--name=value"; "--" ends them.
// `commands` is the table of subcommands (Commands()).
ParsedCommandLine ParseCommandLine(std::span<const std::string> args,
                                   std::span<const CommandInfo> commands);

// Texts of --help and --version.
std::string UsageText(std::span<const CommandInfo> commands);
std::string CommandHelpText(const CommandInfo& command);
std::string VersionText();

}  // namespace vardex
