#pragma once

#include "config_image.h"
#include "config_settings.h"
#include "step_result.h"

namespace vardex {

// Both run the image's field table through its codec (field_codec.cpp).

// Clears the image, runs every section's encode step in the fixed order and
// stops at the first failure. On success the checksum is stored.
StepResult BuildConfigImage(const ConfigSettings& settings, ConfigImage& image);

// Runs every section's decode step over a verified image, in the same order.
// Fields the device does not give back (the clock set values) keep the
// values that `settings` holds.
void ShowConfigImage(const ConfigImage& image, ConfigSettings& settings);

}  // namespace vardex
