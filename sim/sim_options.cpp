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

// The options that take a value; anything else not known is refused before
// the next argument is taken as its value.
constexpr std::string_view kValueOptions[] = {"--com",
                                              "--link-dir",
                                              "--image",
                                              "--save-image",
                                              "--firmware-out",
                                              "--noise",
                                              "--corrupt-header",
                                              "--corrupt-data",
                                              "--drop",
                                              "--fragment",
                                              "--delay-ms",
                                              "--baud",
                                              "--latency-ms",
                                              "--flood",
                                              "--flood-rate",
                                              "--flood-after",
                                              "--flood-for",
                                              "--store-differently"};

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

    if (arg == "--help" || arg == "-h") {
      o.help = true;
      continue;
    }
    if (arg == "--verbose") {
      o.verbose = true;
      continue;
    }
    if (arg == "--exit-with-parent") {
      o.exitWithParent = true;
      continue;
    }
    if (arg == "--bad-page-number") {
      o.badPageNumber = true;
      continue;
    }
    if (arg == "--version") {
      o.version = true;
      continue;
    }

    if (std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) ==
        std::end(kValueOptions))
      return {std::nullopt, "unknown option " + std::string(arg)};
    if (!hasInlineValue) {
      if (i + 1 >= argc)
        return {std::nullopt, std::string(arg) + " needs a value"};
      value = argv[++i];
    }
    bool ok = true;
    if (arg == "--com") {
      ok = SetInt(value, 1, 9, o.com);
    } else if (arg == "--link-dir") {
      o.linkDir = value;
      ok = !value.empty();
    } else if (arg == "--image") {
      o.imageFile = value;
    } else if (arg == "--save-image") {
      o.saveImageFile = value;
    } else if (arg == "--firmware-out") {
      o.firmwareOutFile = value;
    } else if (arg == "--noise") {
      ok = SetInt(value, 0, kMaxNoise, o.noise);
    } else if (arg == "--corrupt-header") {
      ok = AppendNumberList(value, o.corruptHeader);
    } else if (arg == "--corrupt-data") {
      ok = AppendNumberList(value, o.corruptData);
    } else if (arg == "--drop") {
      ok = AppendNumberList(value, o.drop);
    } else if (arg == "--store-differently") {
      ok = AppendNumberList(value, o.storeDifferently);
    } else if (arg == "--fragment") {
      ok = SetInt(value, 1, 136, o.fragment);
    } else if (arg == "--delay-ms") {
      ok = SetInt(value, 0, 60000, o.delayMs);
    } else if (arg == "--baud") {
      ok = SetInt(value, 50, 4000000, o.baud);
    } else if (arg == "--latency-ms") {
      ok = SetInt(value, 0, 1000, o.latencyMs);
    } else if (arg == "--flood") {
      ok = SetFlood(value, o.flood);
    } else if (arg == "--flood-rate") {
      ok = SetInt(value, 1, 10'000'000, o.floodRate);
      floodTuned = true;
    } else if (arg == "--flood-after") {
      const auto n = ParseNumber(value, 0, 0xFFFFFFFFL);
      ok = n.has_value();
      o.floodAfter = static_cast<std::uint32_t>(n.value_or(0));
      floodTuned = true;
    } else if (arg == "--flood-for") {
      ok = SetSecondsAsMs(value, o.floodForMs);
      floodTuned = true;
    }
    if (!ok) {
      return {std::nullopt, "bad value '" + std::string(value) + "' for " + std::string(arg)};
    }
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
                        to the pty slave, removed again on exit
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
  --fragment N          write replies in pieces of N bytes, 1-2 ms apart
  --delay-ms N          wait N ms before every reply
  --baud B              pace reading and writing at B baud, 10 bits a byte
  --bad-page-number     read replies carry the page number plus 16
  --store-differently P store image page P (1..15; a list: 2,5) with its
                        bytes 16 and 17 swapped, acknowledged as usual
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
