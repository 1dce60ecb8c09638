#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// Everything vardex asks of the system it runs on; each platform folder
// (linux/, win32/) answers it in cli_platform.cpp.

// What vardex sets up before its command, for as long as it runs: on Linux
// the Qt application that QSerialPort works in; on Windows the console's
// output modes, and the arguments taken from the wide command line.
class ProgramSetup {
 public:
  ProgramSetup(int& argc, char** argv);
  ~ProgramSetup();
  ProgramSetup(const ProgramSetup&) = delete;
  ProgramSetup& operator=(const ProgramSetup&) = delete;

  // The arguments after the program's name as UTF-8 (on Windows argv holds
  // them in the ANSI code page, where a name outside it is already lost).
  const std::vector<std::string>& Arguments() const { return args_; }

 private:
  struct Held;  // what the system's own setup keeps alive
  std::unique_ptr<Held> held_;
  std::vector<std::string> args_;
};

// What a port is, for the help: the summary of "ports", and the paragraph on
// PORT. Why "link" is not offered where COM names are the system's own, with
// what to do instead; empty where COM names are this program's own.
extern const std::string_view kPortsSummary;
extern const std::string_view kPortText;
extern const std::string_view kComLinksElsewhere;

// What PORT names: "COM1" to "COM9" (either case) resolve as in the window,
// anything else is a device path. Empty, with `error` set to the reason, when
// a COM name leads nowhere or is one the window does not offer ("COM10").
std::optional<std::string> ResolvePortArgument(const std::string& port, std::string& error);

// Why `path`, which `port` led to, could not be opened: in the window's words.
std::string OpenFailureReason(const std::string& port, const std::string& path);

// "vardex ports": the COM names with what each resolves to, then every
// serial port the system lists; for each port its description, maker, USB
// ids, serial number and by-id name. As JSON with the same fields when
// `json` is set.
std::string PortListing(bool json);

}  // namespace vardex
