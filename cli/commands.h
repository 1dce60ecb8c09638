#pragma once

#include "command_line.h"

namespace vardex {

// Runs a parsed subcommand; results go to standard output, progress and
// errors to standard error. Returns the exit status.
int RunCommand(const CommandLine& line);

}  // namespace vardex
