#include "degrees_text.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace vardex {
namespace {

constexpr int kMaxPlaces = 9;  // keeps the arithmetic below inside 64 bits

// A number as typed: digits / 10^places, and the mark that followed it.
struct Number {
  std::int64_t digits = 0;
  int places = 0;
  int wholeDigits = 0;
  int mark = 0;  // 0 none, 1 degrees, 2 minutes, 3 seconds
};

struct Reading {
  std::vector<Number> numbers;
  char hemisphere = 0;  // upper case, 0 when none
  bool letterLast = false;
  bool sign = false;
  bool negative = false;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The mark at `text`'s start (1 degrees, 2 minutes, 3 seconds) and its
// length in bytes, or 0: the ASCII signs and the typographic ones a map copies.
int MarkAt(std::string_view text, std::size_t& length) {
  struct Mark {
    std::string_view text;
    int kind;
  };
  static constexpr Mark kMarks[] = {
      {"\xC2\xB0", 1},      // degree sign
      {"\xC2\xBA", 1},      // masculine ordinal, typed for it
      {"''", 3},            // two apostrophes for seconds
      {"'", 2},             //
      {"\xE2\x80\xB2", 2},  // prime
      {"\xE2\x80\x99", 2},  // right single quotation mark
      {"\"", 3},            //
      {"\xE2\x80\xB3", 3},  // double prime
      {"\xE2\x80\x9D", 3},  // right double quotation mark
  };
  for (const Mark& mark : kMarks) {
    if (text.starts_with(mark.text)) {
      length = mark.text.size();
      return mark.kind;
    }
  }
  return 0;
}

char Hemisphere(char c) {
  const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  return upper == 'N' || upper == 'S' || upper == 'E' || upper == 'W' ? upper : 0;
}

// Splits the text into numbers, marks, one sign at the start and one
// hemisphere letter at the start or the end; false for anything else.
bool Read(std::string_view text, Reading& reading) {
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    std::size_t length = 0;
    if (c == ' ' || c == '\t') {
      ++i;
    } else if ((c == '-' || c == '+') && !reading.sign && reading.numbers.empty() &&
               reading.hemisphere == 0) {
      reading.sign = true;
      reading.negative = c == '-';
      ++i;
    } else if (Hemisphere(c) != 0 && reading.hemisphere == 0) {
      reading.hemisphere = Hemisphere(c);
      reading.letterLast = !reading.numbers.empty();
      ++i;
    } else if (IsDigit(c)) {
      if (reading.letterLast)
        return false;  // a letter between the numbers
      Number number;
      for (; i < text.size() && IsDigit(text[i]); ++i, ++number.wholeDigits) {
        if (number.wholeDigits == 3)
          return false;
        number.digits = number.digits * 10 + (text[i] - '0');
      }
      if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++number.places) {
          if (number.places == kMaxPlaces)
            return false;
          number.digits = number.digits * 10 + (text[i] - '0');
        }
        if (number.places == 0)
          return false;
      }
      reading.numbers.push_back(number);
    } else if (const int mark = MarkAt(text.substr(i), length); mark != 0) {
      if (reading.numbers.empty() || reading.letterLast || reading.numbers.back().mark != 0 ||
          mark != static_cast<int>(reading.numbers.size()))
        return false;
      reading.numbers.back().mark = mark;
      i += length;
    } else {
      return false;
    }
  }
  // A letter ends the text or starts it, never both sides of a number.
  return !reading.numbers.empty() && !(reading.sign && reading.hemisphere != 0);
}

std::int64_t PowerOfTen(int places) {
  std::int64_t power = 1;
  for (int i = 0; i < places; ++i) power *= 10;
  return power;
}

// The reading's value in hundredths of a minute, rounded half up, or -1.
std::int64_t Hundredths(const std::vector<Number>& numbers) {
  for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
    if (numbers[i].places != 0)
      return -1;  // only the last number has a fraction
  }
  for (std::size_t i = 1; i < numbers.size(); ++i) {
    if (numbers[i].wholeDigits > 2)
      return -1;
  }
  const Number& last = numbers.back();
  const std::int64_t scale = PowerOfTen(last.places);
  std::int64_t numerator = 0;
  std::int64_t denominator = scale;
  switch (numbers.size()) {
    case 1:  // degrees
      numerator = last.digits * 6000;
      break;
    case 2:  // degrees, minutes
      if (last.digits >= 60 * scale)
        return -1;
      numerator = numbers[0].digits * 6000 * scale + last.digits * 100;
      break;
    case 3:  // degrees, minutes, seconds
      if (numbers[1].digits >= 60 || last.digits >= 60 * scale)
        return -1;
      denominator = 60 * scale;
      numerator =
          (numbers[0].digits * 6000 + numbers[1].digits * 100) * denominator + last.digits * 100;
      break;
    default:
      return -1;
  }
  return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

std::optional<std::string> DeviceFormFromDegrees(std::string_view typed, PositionAxis axis) {
  Reading reading;
  if (!Read(typed, reading))
    return std::nullopt;
  const bool latitude = axis == PositionAxis::kLatitude;
  if (reading.hemisphere != 0 &&
      (reading.hemisphere == 'N' || reading.hemisphere == 'S') != latitude)
    return std::nullopt;  // the other box's letter
  const std::int64_t value = Hundredths(reading.numbers);
  if (value < 0 || value > std::int64_t{latitude ? 90 : 180} * 6000)
    return std::nullopt;
  const bool negative = reading.negative || reading.hemisphere == 'S' || reading.hemisphere == 'W';
  const int hundredths = static_cast<int>(value);
  return DeviceForm(negative ? -hundredths : hundredths, axis);
}

std::optional<DeviceForms> DeviceFormsFromPair(std::string_view copied) {
  const std::size_t comma = copied.find(',');
  if (comma == std::string_view::npos)
    return std::nullopt;
  std::optional<std::string> latitude =
      DeviceFormFromDegrees(copied.substr(0, comma), PositionAxis::kLatitude);
  std::optional<std::string> longitude =
      DeviceFormFromDegrees(copied.substr(comma + 1), PositionAxis::kLongitude);
  if (!latitude || !longitude)
    return std::nullopt;
  return DeviceForms{std::move(*latitude), std::move(*longitude)};
}

bool NamesASide(std::string_view typed) {
  Reading reading;
  return Read(typed, reading) && (reading.hemisphere != 0 || reading.sign);
}

}  // namespace vardex
