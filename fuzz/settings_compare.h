#pragma once

#include <string>

#include "config_settings.h"
#include "image_fields.h"

namespace vardex {

// Compares one section's member of two settings, value by value.
bool SameSection(const ConfigSettings& a, const ConfigSettings& b, ImageSection section);
// The values of that section that differ, one "name: [a] -> [b]" line each.
std::string DescribeDifference(const ConfigSettings& a, const ConfigSettings& b,
                               ImageSection section);

}  // namespace vardex
