#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vardex_sim {

// Everything the command line can set. Reply numbers in the fault lists are
// 1-based: replies are counted in the order the requests calling for them are
// accepted (a dropped reply keeps its number); data replies are also counted
// on their own for the data fault.
struct SimOptions {
  int com = 0;           // 0: no COM name registered
  std::string link_dir;  // empty: $HOME/.vardex/dosdevices
  std::string image_file;
  std::string save_image_file;
  std::string firmware_out_file;
  int noise = 0;
  std::vector<std::uint32_t> corrupt_header;
  std::vector<std::uint32_t> corrupt_data;
  std::vector<std::uint32_t> drop;
  int fragment = 0;  // 0: each reply in one write
  int delay_ms = 0;
  int baud = 0;  // 0: no line-rate pacing
  bool bad_page_number = false;
  bool verbose = false;
  bool exit_with_parent = false;
  bool help = false;
};

inline constexpr int kMaxNoise = 1024;

struct ParseOutcome {
  std::optional<SimOptions> options;  // empty when the command line is wrong
  std::string error;
};

ParseOutcome ParseOptions(int argc, char** argv);

const char* UsageText();

}  // namespace vardex_sim
