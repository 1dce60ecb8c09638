#pragma once

#include "command_line.h"

namespace vardex {

// Runs a parsed subcommand; results go to standard output, progress and
// errors to standard error. Returns the exit status.
int RunCommand(const CommandLine& line);

// The subcommands, one each, as the command table names them.
int RunPorts(const CommandLine& line);
int RunLink(const CommandLine& line);
int RunRead(const CommandLine& line);
int RunWrite(const CommandLine& line);
int RunFlash(const CommandLine& line);
int RunShow(const CommandLine& line);
int RunDiff(const CommandLine& line);
int RunCheck(const CommandLine& line);
int RunBeacons(const CommandLine& line);
int RunPasscode(const CommandLine& line);
int RunExport(const CommandLine& line);
int RunImport(const CommandLine& line);
int RunDefaults(const CommandLine& line);
int RunReport(const CommandLine& line);

}  // namespace vardex
