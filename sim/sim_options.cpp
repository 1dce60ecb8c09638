#include "sim_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

namespace vardex::sim {
namespace {

std::optional<long> ParseNumber(std::string_view text, long low, long high) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// "3" or "2,5,9": every entry a reply number of at least 1.
bool AppendNumberList(std::string_view text, std::vector<std::uint32_t>& out) {
  while (true) {
    const std::size_t comma = text.find(',');
    const auto n = ParseNumber(text.substr(0, comma), 1, 0xFFFFFFFFL);
    if (!n)
      return false;
    out.push_back(static_cast<std::uint32_t>(*n));
    if (comma == std::string_view::npos)
      return true;
    text.remove_prefix(comma + 1);
  }
}

bool SetInt(std::string_view text, long low, long high, int& out) {
  const auto n = ParseNumber(text, low, high);
  if (!n)
    return false;
  out = static_cast<int>(*n);
  return true;
}

// A reply count of at least 1.
bool SetCount(std::string_view text, std::uint32_t& out) {
  const auto n = ParseNumber(text, 1, 0xFFFFFFFFL);
  out = static_cast<std::uint32_t>(n.value_or(0));
  return n.has_value();
}

bool SetFlood(std::string_view text, FloodKind& out) {
  if (text == "ack")
    out = FloodKind::kAck;
  else if (text == "fwack")
    out = FloodKind::kFirmwareAck;
  else if (text == "data")
    out = FloodKind::kData;
  else
    return false;
  return true;
}

// Seconds, decimals allowed ("0.25"), at least 1 ms and at most a day.
bool SetSecondsAsMs(std::string_view text, int& outMs) {
  double seconds = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (ec != std::errc() || end != text.data() + text.size() || !(seconds >= 0.001) ||
      seconds > 86400) {
    return false;
  }
  outMs = static_cast<int>(std::lround(seconds * 1000));
  return true;
}

bool SetText(std::string_view text, std::string& out) {
  out = text;
  return true;
}

// The switches, and the options that take a value with how each value is
// checked and stored; anything else is refused before the next argument is
// taken as its value.
struct SwitchOption {
  std::string_view name;
  bool SimOptions::*flag;
};
constexpr SwitchOption kSwitches[] = {
    {"--help", &SimOptions::help},
    {"-h", &SimOptions::help},
    {"--verbose", &SimOptions::verbose},
    {"--replace-link", &SimOptions::replaceLink},
    {"--exit-with-parent", &SimOptions::exitWithParent},
    {"--bad-page-number", &SimOptions::badPageNumber},
    {"--version", &SimOptions::version},
};

struct ValueOption {
  std::string_view name;
  bool (*set)(std::string_view value, SimOptions& o);
};
constexpr ValueOption kValueOptions[] = {
    {"--com", [](std::string_view v, SimOptions& o) { return SetInt(v, 1, 9, o.com); }},
    {"--link-dir",
     [](std::string_view v, SimOptions& o) { return SetText(v, o.linkDir) && !v.empty(); }},
    {"--image", [](std::string_view v, SimOptions& o) { return SetText(v, o.imageFile); }},
    {"--save-image", [](std::string_view v, SimOptions& o) { return SetText(v, o.saveImageFile); }},
    {"--firmware-out",
     [](std::string_view v, SimOptions& o) { return SetText(v, o.firmwareOutFile); }},
    {"--noise", [](std::string_view v, SimOptions& o) { return SetInt(v, 0, kMaxNoise, o.noise); }},
    {"--corrupt-header",
     [](std::string_view v, SimOptions& o) { return AppendNumberList(v, o.corruptHeader); }},
    {"--corrupt-data",
     [](std::string_view v, SimOptions& o) { return AppendNumberList(v, o.corruptData); }},
    {"--drop", [](std::string_view v, SimOptions& o) { return AppendNumberList(v, o.drop); }},
    {"--drop-every", [](std::string_view v, SimOptions& o) { return SetCount(v, o.dropEvery); }},
    {"--garble-every",
     [](std::string_view v, SimOptions& o) { return SetCount(v, o.garbleEvery); }},
    {"--silent-from", [](std::string_view v, SimOptions& o) { return SetCount(v, o.silentFrom); }},
    {"--late", [](std::string_view v, SimOptions& o) { return AppendNumberList(v, o.late); }},
    {"--late-ms", [](std::string_view v, SimOptions& o) { return SetInt(v, 1, 60000, o.lateMs); }},
    {"--store-differently",
     [](std::string_view v, SimOptions& o) { return AppendNumberList(v, o.storeDifferently); }},
    {"--store-wrong",
     [](std::string_view v, SimOptions& o) { return AppendNumberList(v, o.storeWrong); }},
    {"--fragment", [](std::string_view v, SimOptions& o) { return SetInt(v, 1, 136, o.fragment); }},
    {"--delay-ms",
     [](std::string_view v, SimOptions& o) { return SetInt(v, 0, 60000, o.delayMs); }},
    {"--baud", [](std::string_view v, SimOptions& o) { return SetInt(v, 50, 4000000, o.baud); }},
    {"--latency-ms",
     [](std::string_view v, SimOptions& o) { return SetInt(v, 0, 1000, o.latencyMs); }},
    {"--flood", [](std::string_view v, SimOptions& o) { return SetFlood(v, o.flood); }},
    {"--flood-rate",
     [](std::string_view v, SimOptions& o) { return SetInt(v, 1, 10'000'000, o.floodRate); }},
    {"--flood-after",
     [](std::string_view v, SimOptions& o) {
       const auto n = ParseNumber(v, 0, 0xFFFFFFFFL);
       o.floodAfter = static_cast<std::uint32_t>(n.value_or(0));
       return n.has_value();
     }},
    {"--flood-for",
     [](std::string_view v, SimOptions& o) { return SetSecondsAsMs(v, o.floodForMs); }},
};

template <typename Option, std::size_t N>
const Option* Find(const Option (&options)[N], std::string_view name) {
  const auto found = std::find_if(std::begin(options), std::end(options),
                                  [name](const Option& option) { return option.name == name; });
  return found == std::end(options) ? nullptr : found;
}

}  // namespace

ParseOutcome ParseOptions(int argc, char** argv) {
  SimOptions o;
  bool floodTuned = false;  // a --flood-* switch was given
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view value;
    bool hasInlineValue = false;
    if (const std::size_t eq = arg.find('=');
        arg.starts_with("--") && eq != std::string_view::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      hasInlineValue = true;
    }

    if (const SwitchOption* on = Find(kSwitches, arg)) {
      o.*(on->flag) = true;
      continue;
    }
    const ValueOption* option = Find(kValueOptions, arg);
    if (option == nullptr)
      return {std::nullopt, "unknown option " + std::string(arg)};
    if (!hasInlineValue) {
      if (i + 1 >= argc)
        return {std::nullopt, std::string(arg) + " needs a value"};
      value = argv[++i];
    }
    if (!option->set(value, o))
      return {std::nullopt, "bad value '" + std::string(value) + "' for " + std::string(arg)};
    floodTuned = floodTuned || arg.starts_with("--flood-");
  }
  if (floodTuned && o.flood == FloodKind::kNone)
    return {std::nullopt, "--flood-rate, --flood-after and --flood-for need --flood"};
  return {o, {}};
}

const char* UsageText() {
  return R"(Usage: vardex-sim [options]
Plays the VARDEX device on a pseudo-terminal. Prints "READY <pty-slave-path>"
on stdout once it listens; SIGINT or SIGTERM end it.

  --com N               register as COMN (N = 1..9): symlink <link-dir>/comN
                        to the pty slave, removed again on exit; a link
                        of that name leading elsewhere is refused
  --replace-link        with --com: stand in for such a link, put back on exit
  --link-dir DIR        directory of the COM symlinks
                        (default $HOME/.vardex/dosdevices, created 0700)
  --image FILE          start from this 2048-byte configuration image
                        (default: a built-in image with a valid checksum)
  --save-image FILE     write the image to FILE after every page write
  --firmware-out FILE   write firmware pages 0..highest received to FILE
                        after every firmware page
  --noise N             send N noise bytes (0..1024) before every reply
  --corrupt-header K    spoil the check byte of reply K
  --corrupt-data K      spoil one data byte of data reply K
  --drop K              send nothing for reply K
                        (K counts from 1; repeat or give a list: 2,5,9)
  --drop-every K        send nothing for every K-th reply (K, 2K, ...)
  --garble-every K      damage every K-th reply: an acknowledgement's check
                        byte, or one data byte of a data reply
  --silent-from K       send nothing from reply K on: a device gone for good
  --late K              hold reply K back (a list: 2,5) by --late-ms, so a
                        tool that asks again meanwhile is answered twice
  --late-ms N           how long --late holds a reply (1..60000, default 600)
  --fragment N          write replies in pieces of N bytes, 1-2 ms apart
  --delay-ms N          wait N ms before every reply
  --baud B              pace reading and writing at B baud, 10 bits a byte
  --bad-page-number     read replies carry the page number plus 16
  --store-differently P store image page P (1..15; a list: 2,5) with its
                        bytes 16 and 17 swapped, acknowledged as usual
  --store-wrong P       store image page P (1..15; a list: 2,5) with its
                        byte 16 one higher, acknowledged as usual: the
                        image read back fails its checksum
  --latency-ms N        hold each reply's bytes beyond its last whole 64-byte
                        USB packet (all of a reply shorter than 64 bytes)
                        for N ms (0..1000), like a USB-serial adapter's
                        latency timer (16 ms on common chips)
  --flood KIND          stream valid frames unasked, unpaced by --baud, as a
                        USB CDC device can: ack (FF 81 ...), fwack (FF 41 ...)
                        or data (FF 91 header and page, pages 0..15 in turn);
                        requests are still read and answered in between
  --flood-rate R        flood at R bytes a second (1..10000000, default 100000)
  --flood-after N       start the flood after reply N (default 0: at once)
  --flood-for S         end the flood S seconds after it started (decimals
                        allowed; default: never)
  --verbose             log events to stderr
  --exit-with-parent    end when the process that started it ends (Linux)
  --help                show this text
  --version             show the version
)";
}

}  // namespace vardex::sim
