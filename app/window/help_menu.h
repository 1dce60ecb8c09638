#pragma once

#include <QString>

#include "help_key.h"

class QMenuBar;

namespace vardex {

// What the About box says: the program, its version, its licence and where
// the list of changes is.
QString AboutText();

// Adds the Help menu to the window's `menuBar`: "User guide" (what F1 does),
// "Field reference" and "About VARDEX Configurator". A guide page that
// cannot be shown is handed to `tell`, as F1's trouble is.
void AddHelpMenu(QMenuBar* menuBar, const HelpNotice& tell);

}  // namespace vardex
