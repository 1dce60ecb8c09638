#include "station_place.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vardex {
namespace {

constexpr int kPerDegree = 6000;  // hundredths of a minute

int DegreeDigits(PositionAxis axis) {
  return axis == PositionAxis::kLatitude ? 2 : 3;
}

int MaxDegrees(PositionAxis axis) {
  return axis == PositionAxis::kLatitude ? 90 : 180;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int Digits(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

std::string Padded(int value, int width) {
  std::string text = std::to_string(value);
  return std::string(static_cast<std::size_t>(width) - std::min<std::size_t>(text.size(), width),
                     '0') +
         text;
}

}  // namespace

std::optional<int> HundredthsOfMinute(std::string_view deviceForm, PositionAxis axis) {
  const int degreeDigits = DegreeDigits(axis);
  const auto size = static_cast<std::size_t>(degreeDigits) + 6;
  if (deviceForm.size() != size || deviceForm[size - 4] != '.')
    return std::nullopt;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    if (i != size - 4 && !IsDigit(deviceForm[i]))
      return std::nullopt;
  }
  const char hemisphere = deviceForm.back();
  const char positive = axis == PositionAxis::kLatitude ? 'N' : 'E';
  const char negative = axis == PositionAxis::kLatitude ? 'S' : 'W';
  if (hemisphere != positive && hemisphere != negative)
    return std::nullopt;
  const int degrees = Digits(deviceForm.substr(0, static_cast<std::size_t>(degreeDigits)));
  const int minutes = Digits(deviceForm.substr(static_cast<std::size_t>(degreeDigits), 2));
  const int hundredths = Digits(deviceForm.substr(size - 3, 2));
  const int value = degrees * kPerDegree + minutes * 100 + hundredths;
  if (minutes >= 60 || value > MaxDegrees(axis) * kPerDegree)
    return std::nullopt;
  return hemisphere == positive ? value : -value;
}

std::optional<StationPlace> ReadStationPlace(std::string_view latitude,
                                             std::string_view longitude) {
  const std::optional<int> lat = HundredthsOfMinute(latitude, PositionAxis::kLatitude);
  const std::optional<int> lon = HundredthsOfMinute(longitude, PositionAxis::kLongitude);
  if (!lat || !lon)
    return std::nullopt;
  return StationPlace{*lat, *lon};
}

std::string DeviceForm(int hundredths, PositionAxis axis) {
  const int value = std::abs(hundredths);
  const char hemisphere =
      axis == PositionAxis::kLatitude ? (hundredths < 0 ? 'S' : 'N') : (hundredths < 0 ? 'W' : 'E');
  return Padded(value / kPerDegree, DegreeDigits(axis)) + Padded(value % kPerDegree / 100, 2) +
         "." + Padded(value % 100, 2) + hemisphere;
}

std::string DecimalDegrees(int hundredths) {
  // 100000ths of a degree: hundredths * 100000 / 6000, rounded half up.
  const std::int64_t scaled = (std::int64_t{std::abs(hundredths)} * 100 + 3) / 6;
  return std::string(hundredths < 0 ? "-" : "") + std::to_string(scaled / 100000) + "." +
         Padded(static_cast<int>(scaled % 100000), 5);
}

std::string MaidenheadLocator(const StationPlace& place) {
  // From the south pole and the antimeridian: fields of 20 by 10 degrees
  // (A to R), squares of 2 by 1 degrees (0 to 9), subsquares of 5 by 2.5
  // minutes (a to x). The poles and 180 degrees east belong to the last.
  const int east = std::min(place.longitude + 180 * kPerDegree, 360 * kPerDegree - 1);
  const int north = std::min(place.latitude + 90 * kPerDegree, 180 * kPerDegree - 1);
  return {static_cast<char>('A' + east / (20 * kPerDegree)),
          static_cast<char>('A' + north / (10 * kPerDegree)),
          static_cast<char>('0' + east % (20 * kPerDegree) / (2 * kPerDegree)),
          static_cast<char>('0' + north % (10 * kPerDegree) / kPerDegree),
          static_cast<char>('a' + east % (2 * kPerDegree) / 500),
          static_cast<char>('a' + north % kPerDegree / 250)};
}

}  // namespace vardex
