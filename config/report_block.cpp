#include "report_block.h"

#include <cstdint>
#include <optional>

#include "image_text.h"

namespace vardex {
namespace {

std::string Message(const ReportBlockLayout& layout, std::string_view rule) {
  std::string message(layout.messageLabel);
  message += rule;
  return message;
}

// Stores the low 8 bits of the box's value; the stored byte must be 1 to 7.
std::optional<std::uint8_t> EncodePathNumber(std::string_view text, std::size_t offset,
                                             ConfigImage& image, StepResult& result) {
  const auto value = ConvertField(text, result);
  if (!value)
    return std::nullopt;
  image.PutU8(offset, static_cast<std::uint8_t>(*value));
  return image.GetU8(offset);
}

bool PathNumberInRange(std::uint8_t stored) {
  return stored >= 1 && stored <= 7;
}

// Stores all 32 bits; the value taken as unsigned must be 5 to 1440, so a
// negative entry fails the upper bound.
std::optional<bool> EncodeRate(std::string_view text, std::size_t offset, ConfigImage& image,
                               StepResult& result) {
  const auto value = ConvertField(text, result);
  if (!value)
    return std::nullopt;
  image.PutU32(offset, static_cast<std::uint32_t>(*value));
  const std::uint32_t stored = image.GetU32(offset);
  return stored >= 5 && stored <= 1440;
}

}  // namespace

StepResult EncodeReportBlock(const ReportBlockLayout& layout, const ReportBlockSettings& s,
                             ConfigImage& image) {
  if (s.dest >= 0 && s.dest < static_cast<int>(kDestinationList.size())) {
    image.PutText(layout.dest, kDestWidth, kDestinationList[static_cast<std::size_t>(s.dest)]);
  }
  image.PutText(layout.path, kReportPathWidth, Latin1FromUtf8(s.path));

  StepResult result;
  const auto bign = EncodePathNumber(s.bign, layout.bign, image, result);
  if (!bign)
    return result;
  if (!PathNumberInRange(*bign)) {
    return StepResult::Invalid(Message(layout, " path, N value range error (1 - 7)."));
  }
  const auto smalln = EncodePathNumber(s.smalln, layout.smalln, image, result);
  if (!smalln)
    return result;
  if (!PathNumberInRange(*smalln)) {
    return StepResult::Invalid(Message(layout, " path, n value range error (1 - 7)."));
  }
  if (*bign > *smalln)
    return StepResult::Invalid(Message(layout, " path, n should be >= N."));

  const auto rfInRange = EncodeRate(s.txRateRf, layout.txRateRf, image, result);
  if (!rfInRange)
    return result;
  if (!*rfInRange) {
    return StepResult::Invalid(Message(layout, " tx rate (RF) range error (5 - 1440)."));
  }
  const auto isInRange = EncodeRate(s.txRateAprsIs, layout.txRateAprsIs, image, result);
  if (!isInRange)
    return result;
  if (!*isInRange) {
    return StepResult::Invalid(Message(layout, " tx rate (APRSIS) range error (5 - 1440)."));
  }

  image.PutU8(layout.toRf, s.toRf ? 1 : 0);
  image.PutU8(layout.toAprsIs, s.toAprsIs ? 1 : 0);
  return StepResult::Ok();
}

void DecodeReportBlock(const ConfigImage& image, const ReportBlockLayout& layout,
                       ReportBlockSettings& s) {
  // The whole field must match, zero byte included.
  for (std::size_t i = 0; i < kDestinationList.size(); ++i) {
    const std::string_view entry = kDestinationList[i];
    bool matches = image.GetU8(layout.dest + entry.size()) == 0;
    for (std::size_t j = 0; matches && j < entry.size(); ++j) {
      matches = image.GetU8(layout.dest + j) == static_cast<std::uint8_t>(entry[j]);
    }
    if (matches)
      s.dest = static_cast<int>(i);
  }
  s.path = Utf8FromLatin1(image.GetText(layout.path, kReportPathWidth));
  s.bign = std::to_string(image.GetU8(layout.bign));
  s.smalln = std::to_string(image.GetU8(layout.smalln));
  s.txRateRf = std::to_string(image.GetU32(layout.txRateRf));
  s.txRateAprsIs = std::to_string(image.GetU32(layout.txRateAprsIs));
  s.toRf = image.GetU8(layout.toRf) != 0;
  s.toAprsIs = image.GetU8(layout.toAprsIs) != 0;
}

StepResult CheckPrintableText(std::string_view utf8, std::string_view failureMessage) {
  if (IsPrintableAscii(utf8))
    return StepResult::Ok();
  return StepResult::Invalid(std::string(failureMessage));
}

}  // namespace vardex
