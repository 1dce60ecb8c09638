#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// Declared only: the modules that define them ask this header for the
// system's answers, so it may not include them back.
struct ComPortTarget;
struct PortFacts;
struct SystemPortInfo;
class SerialPort;

// Everything the device link asks of the system it runs on. Each platform
// folder (linux/, win32/) answers it: link_platform.cpp the file system's
// part, built into the link itself; the system's port and its list of ports
// come with the port library a program links (vardex_link_qt on Linux,
// vardex_link_win32 on Windows).

// COMn is first looked up as the symlink <linkDir>/comn (lower case), in the
// manner of Wine's dosdevices. A name with a link always means that link:
// the directory is trusted only when it belongs to the user and neither
// group nor others may write to it, and the link must lead to a character
// device; otherwise the name leads nowhere rather than to another port.
// Gives kNoPort when there is no link for the name.
ComPortTarget LookUpLink(const std::string& linkDir, int number);

// Fills `exists` and `accessible` for `path` from the file system. Looks,
// does not open: opening a serial device moves its modem lines.
void ProbeFileSystem(const std::string& path, PortFacts& facts);

// Opens a file for binary reading by its name as the system spells it (the
// platform's own call); null when it cannot be opened.
std::FILE* OpenForReading(const std::filesystem::path& path);

// Where udev names USB serial adapters by maker, model and serial number.
// Such a name stays with its adapter whatever ttyUSBn it gets.
inline constexpr const char* kSerialByIdDirectory = "/dev/serial/by-id";

// The name in `byIdDir` that leads to the same device as `device` (the
// first in name order), or empty when none does.
std::string ByIdNameOf(const std::string& device, const std::string& byIdDir);

// What became of a request to link or unlink a COM name.
struct ComLinkResult {
  bool done = false;
  std::string linkPath;  // <linkDir>/comn
  std::string target;    // what the link points at now (empty once removed)
  std::string device;    // the device it leads to today
  bool existed = false;  // a removal found a link to remove
  std::string error;     // why not, when !done
};

// Makes <linkDir>/comn point at `device`, replacing an older link of that
// name. The link goes to the adapter's name in `byIdDir` when it has one, so
// that the name still means that adapter after replugging or next to a
// second one. Missing folders are made owner-only. Refuses a device that is
// no terminal (no character device, or one such as /dev/null that the
// system files under another class), a console or the session's own
// terminal, without opening it, and a link folder
// that others may change (the COM names would not use it).
ComLinkResult MakeComLink(int number, const std::string& device, const std::string& linkDir,
                          const std::string& byIdDir);

// Removes <linkDir>/comn if it is there; refuses to remove anything but a link.
ComLinkResult RemoveComLink(int number, const std::string& linkDir);

// From here on, the port library's part.

// The system's serial port: QSerialPort on Linux, the Win32 port on Windows.
// The one place where a program's port is chosen (at build time). What every
// such port carries is written down in SystemPortTrace().
std::unique_ptr<SerialPort> MakeSystemSerialPort();

// The serial ports the system lists (USB adapters included) with what it
// says about each, by path in a stable, natural order.
std::vector<SystemPortInfo> SystemPortInfos();

// The number of a COM name the window opens: "COM1" to "COM9"; on Windows
// any COMn.
std::optional<int> SystemComNumber(std::string_view name);

// The system's COM names above COM9, in order, which the COM list offers
// after COM9 (USB adapters on Windows often get them); none elsewhere.
std::vector<std::string> SystemComNamesAboveNine();

// What "COM1" to "COM9" open on this machine: the system's own COMn on
// Windows; elsewhere the name's link if it has one, else the system's list.
ComPortTarget ResolveSystemComName(const std::string& name);
// The same among `ports`, listed by SystemPortInfos() a moment ago.
ComPortTarget ResolveSystemComNameAmong(const std::string& name,
                                        std::span<const SystemPortInfo> ports);

// A short text that changes when ports or COM names come or go, or when
// `target` (what the chosen name led to) does; cheap enough to take every
// second or so, so the full list is asked for only after a change.
std::string SystemPortChangeSigns(const std::string& target);

// Fills what `path` shows of a failed open: there, and usable by this user.
void ProbePortFailure(const std::string& path, PortFacts& facts);

// One line per COM name with what it leads to, for the COM list's hint.
std::string SystemComPortHint();

}  // namespace vardex
