#include "command_table.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "cli_platform.h"
#include "commands.h"

namespace vardex {
namespace {

constexpr unsigned kTransferOptions = kOptTimeout | kOptQuiet | kOptVerbose | kOptTrace;

// Not a constant: the port texts are the platform's, known when linked. Read
// only once the program runs.
const std::array kCommands = {
    CommandInfo{"ports", "[--json]", 0, kOptJson, false, kPortsSummary, RunPorts},
    CommandInfo{"read", "PORT -o FILE", 1, kOptOutput | kTransferOptions, true,
                "read the device's configuration into an image file", RunRead},
    CommandInfo{"write", "PORT FILE [--clock pc|keep]", 2,
                kOptClock | kOptNoVerify | kTransferOptions, false,
                "write an image file to the device", RunWrite},
    CommandInfo{"flash", "PORT FIRMWARE [--backup FILE] [--force]", 2,
                kOptBackup | kOptForce | kTransferOptions, false,
                "upload a firmware file to the device", RunFlash},
    CommandInfo{"link", "COMn DEVICE | COMn --remove", 2, kOptRemove, false,
                "make COMn lead to a serial device (its by-id name when it has one), or "
                "remove the link",
                RunLink},
    CommandInfo{"show", "FILE [--json]", 1, kOptJson, false,
                "print every field of an image file by page and label, and the position's locator",
                RunShow},
    CommandInfo{"diff", "A B [--json]", 2, kOptJson, false,
                "print the fields in which two image files differ", RunDiff},
    CommandInfo{"check", "FILE [--all] [--strict] [--json]", 1, kOptAll | kOptStrict | kOptJson,
                false,
                "check an image file's checksum and every rule, then list the station check's "
                "notes",
                RunCheck},
    CommandInfo{"beacons", "FILE [--json]", 1, kOptJson, false,
                "print each beacon that is on as the device sends it, and how the APRS "
                "network reads it",
                RunBeacons},
    CommandInfo{"passcode", "CALL", 1, 0, false,
                "print the APRS-IS passcode of a callsign (its SSID does not count)", RunPasscode},
    CommandInfo{"export", "FILE -o TEXT", 1, kOptOutput, true,
                "write an image file as text, one line per field", RunExport},
    CommandInfo{"import", "TEXT [--base FILE] -o FILE", 1, kOptOutput | kOptBase, true,
                "build an image file from its text form", RunImport},
    CommandInfo{"defaults", "-o FILE", 0, kOptOutput, true,
                "write the image that the start-up settings give", RunDefaults},
    CommandInfo{"report", "[CONFIG_FILE] -o FILE", 1, kOptOutput, true,
                "write a problem report: one zip with the version, the system, the ports and "
                "the configuration file named, its passwords masked; nothing is sent anywhere",
                RunReport, true},
};

// "link" is left out where COM names are the system's own (kComLinksElsewhere
// says what to do there instead).
bool Offered(const CommandInfo& command) {
  return kComLinksElsewhere.empty() || command.name != "link";
}

}  // namespace

std::span<const CommandInfo> Commands() {
  static const std::vector<CommandInfo> offered = [] {
    std::vector<CommandInfo> kept;
    std::ranges::copy_if(kCommands, std::back_inserter(kept), Offered);
    return kept;
  }();
  return offered;
}

}  // namespace vardex
