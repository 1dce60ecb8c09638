#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "aprs_symbols.h"

namespace vardex {

// How the APRS network takes an information field.
enum class AprsVerdict {
  kRead,         // as the format wants it
  kReadWarning,  // read, but some readers or displays will not show it as meant
  kRefused,      // not a packet that places the station or says anything on a map
};

enum class AprsKind {
  kUnknown,           // no data type a reader acts on
  kPosition,          // '!' or '='
  kPositionWithTime,  // '/' or '@'
  kStatus,            // '>'
  kObject,            // ';'
  kItem,              // ')'
  kOther,             // a data type this reader names but does not check
};

// Degrees, north and east positive.
struct AprsPosition {
  double latitude = 0;
  double longitude = 0;
};

// What a reader of the APRS protocol makes of one information field.
struct AprsReading {
  AprsVerdict verdict = AprsVerdict::kRead;
  AprsKind kind = AprsKind::kUnknown;
  std::string otherKind;  // for kOther: "message", "telemetry", ...
  bool compressed = false;
  bool killed = false;    // an object or item sent to be removed
  std::string name;       // of an object or item, without its padding
  std::string timeStamp;  // the seven characters, when there is one
  std::optional<AprsPosition> position;
  std::optional<AprsSymbol> symbol;  // an overlay 'a'-'j' of a compressed one reads '0'-'9'
  std::string comment;               // after the position (and its extension), or the status text
  // Where the symbol's two characters stand in the field; npos without one.
  std::size_t symbolTableAt = std::string_view::npos;
  std::size_t symbolCodeAt = std::string_view::npos;
  // For a refusal or a warning: what is wrong, and what to type instead.
  std::string problem;
  std::string instead;
};

// Reads an information field (what follows the ':' of "CALL>DEST,PATH:")
// as the APRS Protocol Reference 1.0.1 and its addenda describe it:
// positions without and with time stamp, compressed or not, status, objects
// and items; the symbol; the time stamp; the comment's length and its data
// extensions. The first refusal, or else the first warning, is the one told.
AprsReading ReadAprsInformation(std::string_view info);

// "position with time stamp", "object LEADER", "status".
std::string KindText(const AprsReading& reading);

// "position with time stamp, symbol House (/-)"; for a refusal, why.
std::string DescribeReading(const AprsReading& reading);

}  // namespace vardex
