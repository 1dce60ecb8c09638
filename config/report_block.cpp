#include "report_block.h"

#include <cstdint>

#include "image_text.h"
#include "number_field.h"

namespace vardex {
namespace {

std::string Message(const ReportBlockLayout& layout, std::string_view rule) {
  std::string message(layout.messageLabel);
  message += rule;
  return message;
}

}  // namespace

StepResult EncodeReportBlock(const ReportBlockLayout& layout, const ReportBlockSettings& s,
                             ConfigImage& image) {
  if (s.dest >= 0 && s.dest < static_cast<int>(kDestinationList.size())) {
    image.PutText(layout.dest, kDestWidth, kDestinationList[static_cast<std::size_t>(s.dest)]);
  }
  image.PutText(layout.path, kReportPathWidth, Latin1FromUtf8(s.path));

  // N and n keep their low 8 bits, each 1 to 7; the rates all 32 bits, 5 to
  // 1440 taken as unsigned.
  StepResult result =
      StoreNumberField(s.bign, {layout.bign, 1, 1, 7},
                       Message(layout, " path, N value range error (1 - 7)."), image);
  if (!result.Succeeded())
    return result;
  result = StoreNumberField(s.smalln, {layout.smalln, 1, 1, 7},
                            Message(layout, " path, n value range error (1 - 7)."), image);
  if (!result.Succeeded())
    return result;
  if (image.GetU8(layout.bign) > image.GetU8(layout.smalln))
    return StepResult::Invalid(Message(layout, " path, n should be >= N.")).About(&s.smalln);

  result = StoreNumberField(s.txRateRf, {layout.txRateRf, 4, 5, 1440},
                            Message(layout, " tx rate (RF) range error (5 - 1440)."), image);
  if (!result.Succeeded())
    return result;
  result = StoreNumberField(s.txRateAprsIs, {layout.txRateAprsIs, 4, 5, 1440},
                            Message(layout, " tx rate (APRSIS) range error (5 - 1440)."), image);
  if (!result.Succeeded())
    return result;

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

StepResult CheckPrintableText(const std::string& utf8, std::string_view failureMessage) {
  if (IsPrintableAscii(utf8))
    return StepResult::Ok();
  return StepResult::Invalid(std::string(failureMessage)).About(&utf8);
}

}  // namespace vardex
