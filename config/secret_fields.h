#pragma once

#include <string_view>

#include "config_image.h"
#include "config_settings.h"
#include "field_table.h"

namespace vardex {

// What stands in a problem report for a password that was set.
inline constexpr std::string_view kSecretMark = "********";

// A field whose bytes give away a password: every field named "password"
// (APRS-IS, web, telnet) and the web login token, which holds the web
// password in Base64.
bool IsSecretField(const ImageField& field);

// Every secret field that holds a value gets the mark instead (the token
// too); empty ones stay empty, so a report still shows that none was set.
// The checksum is stored again when it held before, so a good image stays
// good and a broken one stays broken.
void MaskSecrets(ConfigImage& image);
void MaskSecrets(ConfigSettings& settings);

}  // namespace vardex
