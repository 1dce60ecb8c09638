#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "frame_trace.h"

namespace vardex {

// The bytes of one direction of a trace that carry a password: the data of
// every configuration page sent (0x80) or read (0x91) at the offsets of the
// image's secret fields. Frames are found as the tool's parser finds them: a
// marker, a known code and a right check byte. When `startCut`, the bytes
// before the first frame found may be the end of a page whose header was
// dropped, so they are hidden too (at most a page's worth).
std::vector<bool> SecretTraceBytes(std::span<const std::uint8_t> bytes, bool startCut);

// The trace as text, its password bytes shown as "**": what is written for
// a user to send away.
std::string TraceTextWithoutSecrets(const FrameTrace& trace);

}  // namespace vardex
