#pragma once

#include <optional>
#include <string>

namespace vardex::sim {

// A pseudo-terminal whose master end the simulator serves. The slave end is
// kept open here as well, so the line never hangs up when the tool closes its
// side and opens it again.
struct PtyPort {
  int master = -1;  // non-blocking
  int slave = -1;
  std::string slavePath;
};

// Opens the pair and sets the slave raw (8-bit clean, no echo, no line
// editing). Returns nothing and sets `error` on failure.
std::optional<PtyPort> OpenPtyPort(std::string& error);
void ClosePtyPort(PtyPort& port);

}  // namespace vardex::sim
