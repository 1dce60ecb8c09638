#pragma once

#include "memory_serial_port.h"

namespace vardex::testing {

// Ports that do not behave like the device.
enum class Hostility { kNeverAnswers, kAnswersGarbage, kAnswersAFragment, kReadsFail };

// A port that plays `hostility` towards whatever the tool writes.
std::unique_ptr<MemorySerialPort> MakeHostilePort(Hostility hostility);

}  // namespace vardex::testing
