#include "weather_settings.h"

#include "image_text.h"
#include "list_index.h"

namespace vardex {
namespace {

constexpr std::size_t kStationType = 52;
constexpr std::size_t kComment = 80;
constexpr std::size_t kCommentWidth = kWeatherCommentLength + 1;

const ReportBlockLayout& WeatherLayout() {
  return LayoutOf(ReportBlockInstance::kWeatherReport);
}

}  // namespace

StepResult EncodeWeatherSettings(const WeatherSettings& s, ConfigImage& image) {
  image.PutU8(kStationType, ListIndexByte(s.stationType));
  StepResult result = EncodeReportBlock(WeatherLayout(), s.report, image);
  if (!result.Succeeded())
    return result;
  image.PutText(kComment, kCommentWidth, Latin1FromUtf8(s.comment));
  return CheckPrintableText(s.comment, "Weather report comment - forbidden characters.");
}

void DecodeWeatherSettings(const ConfigImage& image, WeatherSettings& s) {
  s.stationType =
      ListIndexFromByte(image.GetU8(kStationType), static_cast<int>(kWeatherStationTypes.size()));
  DecodeReportBlock(image, WeatherLayout(), s.report);
  s.comment = Utf8FromLatin1(image.GetText(kComment, kCommentWidth));
}

}  // namespace vardex
