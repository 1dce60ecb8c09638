#pragma once

#include <string>
#include <vector>

namespace vardex::testing {

struct VardexRun {
  int exitCode = -1;  // -1: it had to be killed
  std::string out;
  std::string err;
};

// Set when the tests drive the Windows vardex.exe under Wine instead of the
// Linux program: VARDEX_E2E_WINE names wine64, VARDEX_E2E_EXE the program,
// and WINEPREFIX the prefix whose dosdevices map the COM names.
bool UnderWine();
// The prefix's dosdevices folder, where a link "comN" makes COMN.
std::string WineDosDevices();

// Runs the vardex program with `args` to its end and collects both outputs.
// `home` replaces $HOME when not empty (the COM link directory lives there).
// A run that hangs is killed after a minute, so no test waits forever.
VardexRun RunVardex(const std::vector<std::string>& args, const std::string& home = {});

}  // namespace vardex::testing
