#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config_image.h"
#include "config_settings.h"
#include "page_tables.h"

namespace vardex {

// One field of the image as the window shows it: a control of a page.
struct FieldRow {
  const PageTable* page;
  const ControlRow* control;
};

// Every control that carries a field of the image, page by page in window
// order. The PC time option is the window's own choice and is left out.
const std::vector<FieldRow>& ImageFieldRows();

// What a file's image shows: the start-up state with the image decoded over
// it, the clock fields included (a file keeps its clock values).
ConfigSettings SettingsFromImage(const ConfigImage& image);

// The value as the window shows it: a text as typed, a list's entry text
// ("" when nothing is selected), "yes" or "no" for a check box.
std::string ShownValue(const ControlRow& control, ConfigSettings& settings);

// Sets a field from a shown value; false with `error` when a list has no
// such entry or a check box gets something other than yes or no.
bool SetShownValue(const ControlRow& control, std::string_view value, ConfigSettings& settings,
                   std::string& error);

}  // namespace vardex
