#include "config_driver.h"

#include "field_codec.h"

namespace vardex {

StepResult BuildConfigImage(const ConfigSettings& settings, ConfigImage& image) {
  image.Clear();
  StepResult result = EncodeFields(ImageFields(), settings, image);
  if (result.Succeeded())
    StoreImageChecksum(image);
  return result;
}

void ShowConfigImage(const ConfigImage& image, ConfigSettings& settings) {
  DecodeFields(ImageFields(), image, settings);
}

}  // namespace vardex
