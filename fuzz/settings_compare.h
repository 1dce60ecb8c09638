#pragma once

#include <string>

#include "config_settings.h"
#include "field_table.h"

namespace vardex {

// Compares the settings of one section's fields in two settings.
bool SameSection(const ConfigSettings& a, const ConfigSettings& b, ImageSection section);
// The settings of that section that differ, one "key: [a] -> [b]" line each.
std::string DescribeDifference(const ConfigSettings& a, const ConfigSettings& b,
                               ImageSection section);
// Copies the settings of one section's fields.
void CopySection(ImageSection section, const ConfigSettings& from, ConfigSettings& to);

}  // namespace vardex
