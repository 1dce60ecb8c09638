#pragma once

#include "config_image.h"
#include "config_settings.h"
#include "image_field.h"

namespace vardex {

// The rules that are not a range, named by the rows that use them. Each is
// true when the field's setting passes.

// The callsign is not empty.
bool CallsignGiven(const ImageField& field, const ConfigSettings& settings,
                   const ConfigImage& image);
// "ddmm.mmN" or "ddmm.mmS": four digits, a point, two digits, a hemisphere.
bool LatitudePattern(const ImageField& field, const ConfigSettings& settings,
                     const ConfigImage& image);
// "dddmm.mmE" or "dddmm.mmW".
bool LongitudePattern(const ImageField& field, const ConfigSettings& settings,
                      const ConfigImage& image);
// Only codes 32 to 126; an empty text passes.
bool PrintableText(const ImageField& field, const ConfigSettings& settings,
                   const ConfigImage& image);
// A path's n, as stored, is not below its N (the field's partner).
bool PathOrder(const ImageField& field, const ConfigSettings& settings, const ConfigImage& image);

// Stores the web login as the HTTP Basic token: Base64 of "user:password",
// each cut to what its field holds.
void PutWebLoginToken(const ImageField& field, const ConfigSettings& settings, ConfigImage& image);

}  // namespace vardex
