#pragma once

#include <string>
#include <vector>

namespace vardex {

// What vardex sets up before its command: on Windows the console's output
// modes, and the arguments taken from the wide command line.
class ProgramSetup {
 public:
  ProgramSetup(int& argc, char** argv);

  // The arguments after the program's name as UTF-8: argv holds them in the
  // ANSI code page, where a name outside it is already lost ("?").
  const std::vector<std::string>& Arguments() const { return args_; }

 private:
  std::vector<std::string> args_;
};

}  // namespace vardex
