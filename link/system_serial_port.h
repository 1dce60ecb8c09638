#pragma once

#include <cstddef>

#include "frame_trace.h"

namespace vardex {

// Room for the trace of a whole firmware upload, the longest transfer (with
// its acknowledgements and the records' own bytes), so that a trace of one
// upload keeps its start.
inline constexpr std::size_t kSystemPortTraceBytes = std::size_t{512} * 1024;

// The trace of this program's system ports, from the first one made.
FrameTrace& SystemPortTrace();

}  // namespace vardex
