#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "integer_conversion.h"

namespace vardex {

// Outcome of one encode step. A failed check carries its message (shown in the
// standard information box); a number box that does not convert carries the
// box's text (shown in the error box). Both end the write at once.
struct StepResult {
  enum class Kind { kOk, kInvalid, kNotAnInteger };
  Kind kind = Kind::kOk;
  std::string text;
  // The setting that failed: the address of its member inside the settings
  // that were encoded, so that whoever shows the settings can find where
  // it is shown. Null on success.
  const void* field = nullptr;

  static StepResult Ok() { return {}; }
  static StepResult Invalid(std::string message) { return {Kind::kInvalid, std::move(message)}; }
  static StepResult NotAnInteger(std::string boxText) {
    return {Kind::kNotAnInteger, std::move(boxText)};
  }
  bool Succeeded() const { return kind == Kind::kOk; }
  // The same result, naming `member` as the setting that failed.
  StepResult About(const void* member) && {
    field = member;
    return std::move(*this);
  }
};

// What the window shows for a failed step: the rule's message as it stands,
// or the error box's text for a number box that does not convert (the box
// adds the final ".").
inline std::string FailureText(const StepResult& result) {
  if (result.kind == StepResult::Kind::kNotAnInteger)
    return "'" + result.text + "' is not a valid integer value.";
  return result.text;
}

// Converts a number box's text; on failure `result` becomes the conversion
// error and the caller returns it.
inline std::optional<std::int32_t> ConvertField(const std::string& text, StepResult& result) {
  auto value = ConvertInteger(text);
  if (!value)
    result = StepResult::NotAnInteger(text).About(&text);
  return value;
}

}  // namespace vardex
