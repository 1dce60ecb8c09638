#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config_image.h"
#include "config_settings.h"
#include "step_result.h"

namespace vardex {

// The image the window builds after reading `file`, with the file's clock
// values kept; the window's rules decide whether it builds at all.
StepResult RebuildImage(const ConfigImage& file, ConfigImage& rebuilt);

// The rules the settings fail, as the window words them: the window's own
// first message, then the first failure of every further row of a page (a
// beacon, a path, a server...) once the rows before it pass. Empty when the
// settings build.
std::vector<std::string> AllRuleFailures(const ConfigSettings& settings);

// The field that owns the byte at `offset` as the window names it
// ("[Radio] Callsign"), from the image's field table; the last byte of a text
// box's field is where its zero byte goes. Empty when no page shows the byte.
std::string OwnerOfByte(std::size_t offset);

// A run of bytes in which a file and its rebuilt image differ, with the field
// that owns them ("[Radio] PTT output"), or empty when no page shows them.
struct ByteDifference {
  std::size_t first = 0;
  std::size_t last = 0;
  std::string owner;
};

// Where `file` and `rebuilt` differ, field by field, as the image's field
// table places the fields; the last byte of a text box's field is that
// text's zero byte.
std::vector<ByteDifference> ExplainDifferences(const ConfigImage& file, const ConfigImage& rebuilt);

// "bytes 4-10: [Radio] Callsign" or "byte 49: not shown by any field".
std::string DescribeDifference(const ByteDifference& difference);

}  // namespace vardex
