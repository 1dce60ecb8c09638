#include "system_serial_port.h"

namespace vardex {

FrameTrace& SystemPortTrace() {
  static FrameTrace trace(kSystemPortTraceBytes);
  return trace;
}

}  // namespace vardex
