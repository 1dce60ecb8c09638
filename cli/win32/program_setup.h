#pragma once

namespace vardex {

// What vardex sets up before its command: on Windows the console's output
// modes.
class ProgramSetup {
 public:
  ProgramSetup(int& argc, char** argv);
};

}  // namespace vardex
