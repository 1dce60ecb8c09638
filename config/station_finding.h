#pragma once

#include <string>

namespace vardex {

// One piece of advice on what a configuration will do on the air. Findings
// never stop a write or a save: every rule may pass and a finding still
// stand.
struct StationFinding {
  std::string key;     // the field it concerns, as the field table names it
  std::string onAir;   // what the setting does on the air
  std::string advice;  // what to do about it
  std::string source;  // the public practice it rests on
};

}  // namespace vardex
