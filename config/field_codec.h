#pragma once

#include <span>

#include "config_image.h"
#include "config_settings.h"
#include "field_table.h"
#include "step_result.h"

namespace vardex {

// Stores one field's setting in its bytes and checks its rules, in the
// order the row gives; a failed check ends the write.
StepResult EncodeField(const ImageField& field, const ConfigSettings& settings, ConfigImage& image);
// Shows one field's bytes as its setting, unchecked. The clock set values and
// the web login token are left as they are.
void DecodeField(const ImageField& field, const ConfigImage& image, ConfigSettings& settings);

// Runs `fields` in order and stops at the first failure.
StepResult EncodeFields(std::span<const ImageField> fields, const ConfigSettings& settings,
                        ConfigImage& image);
void DecodeFields(std::span<const ImageField> fields, const ConfigImage& image,
                  ConfigSettings& settings);

// One section's fields.
StepResult EncodeSection(ImageSection section, const ConfigSettings& settings, ConfigImage& image);
void DecodeSection(ImageSection section, const ConfigImage& image, ConfigSettings& settings);

// The five clock set values as stored, as signed decimal texts.
void DecodeClockWords(const ConfigImage& image, ConfigSettings& settings);

}  // namespace vardex
