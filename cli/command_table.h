#pragma once

#include <span>

#include "command_line.h"

namespace vardex {

// Every subcommand vardex offers, with what runs it, in the order the help
// lists them. The parser and the help read it; they do not know the runners.
std::span<const CommandInfo> Commands();

}  // namespace vardex
