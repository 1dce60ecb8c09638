#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vardex::sim {

inline constexpr int kMaxNoise = 1024;
inline constexpr int kDefaultFloodRate = 100000;

// What the device streams, unasked, once the flood starts.
enum class FloodKind { kNone, kAck, kFirmwareAck, kData };

// Everything the command line can set. Reply numbers in the fault lists are
// 1-based: replies are counted in the order the requests calling for them are
// accepted (a dropped reply keeps its number); data replies are also counted
// on their own for the data fault.
struct SimOptions {
  int com = 0;               // 0: no COM name registered
  std::string linkDir;       // empty: $HOME/.vardex/dosdevices
  bool replaceLink = false;  // stand in for a link of the user's while running
  std::string imageFile;
  std::string saveImageFile;
  std::string firmwareOutFile;
  int noise = 0;
  std::vector<std::uint32_t> corruptHeader;
  std::vector<std::uint32_t> corruptData;
  std::vector<std::uint32_t> drop;
  // A noisy line, the same on every run: every k-th reply lost, every k-th
  // reply damaged (an acknowledgement's check byte, a data reply's data);
  // 0 for none.
  std::uint32_t dropEvery = 0;
  std::uint32_t garbleEvery = 0;
  // A device gone for good: nothing from this reply on (0: never).
  std::uint32_t silentFrom = 0;
  // Replies held back lateMs before they go, so that a tool asking again
  // meanwhile gets its answer twice, late.
  std::vector<std::uint32_t> late;
  int lateMs = 600;
  int fragment = 0;  // 0: each reply in one write
  int delayMs = 0;
  int baud = 0;       // 0: no line-rate pacing
  int latencyMs = 0;  // 0: no adapter latency timer
  FloodKind flood = FloodKind::kNone;
  int floodRate = kDefaultFloodRate;  // bytes a second
  std::uint32_t floodAfter = 0;       // replies before the flood starts
  int floodForMs = 0;                 // 0: no end
  bool badPageNumber = false;
  // Image pages stored with their bytes 16 and 17 swapped, as a device with
  // a failing memory might: the write is acknowledged, and a read gives the
  // page back changed with the image checksum still holding (an additive
  // sum does not see a swap); only a comparison finds it.
  std::vector<std::uint32_t> storeDifferently;
  // Image pages stored with their byte 16 one higher: acknowledged as usual,
  // but the image read back fails its checksum.
  std::vector<std::uint32_t> storeWrong;
  bool verbose = false;
  bool exitWithParent = false;
  bool help = false;
  bool version = false;
};

struct ParseOutcome {
  std::optional<SimOptions> options;  // empty when the command line is wrong
  std::string error;
};

ParseOutcome ParseOptions(int argc, char** argv);

const char* UsageText();

}  // namespace vardex::sim
