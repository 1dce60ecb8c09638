#pragma once

#include "config_image.h"
#include "config_settings.h"
#include "image_fields.h"
#include "step_result.h"

namespace vardex {

// One section's encode or decode step over its member of the settings, so
// that each section can be driven on its own, whatever the others hold.
StepResult EncodeSection(ImageSection section, const ConfigSettings& settings, ConfigImage& image);
void DecodeSection(ImageSection section, const ConfigImage& image, ConfigSettings& settings);
// Copies one section's member of the settings.
void CopySection(ImageSection section, const ConfigSettings& from, ConfigSettings& to);

}  // namespace vardex
