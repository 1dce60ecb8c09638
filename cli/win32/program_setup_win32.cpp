#include "program_setup.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace vardex {

ProgramSetup::ProgramSetup(int&, char**) {
  // The same bytes as on Linux: "\n" ends a line, in pipes and files too
  // (JSON and text forms stay byte-identical across the platforms).
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The progress bar clears its line with an escape sequence, which the
  // console takes only in its terminal mode.
  const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode))
    SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace vardex
