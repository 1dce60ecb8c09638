#pragma once

#include <span>
#include <string>

namespace vardex {

// The word lists the bash completion of vardex reads, taken from the command
// and option tables so that they cannot drift from the parser.
// Without a command: the command names, one a line. With one:
//   operand KIND          for each operand in order (PORT, FILE, FIRMWARE...)
//   option NAME [VALUE]   for each option name it takes, with its value's
//                         kind (FILE, SECONDS, pc|keep) when it wants one
// An unknown command gives nothing.
std::string CompletionWords(std::span<const std::string> command);

}  // namespace vardex
