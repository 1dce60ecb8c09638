#pragma once

#include <QString>

class QWidget;

namespace vardex {

// The user guide's HTML for a program started from `programDir`: the copy
// installed under ../share/doc/vardex-configurator, else the one the Windows
// setup installs beside the program in doc, else the one the build tree
// makes in ../docs. Empty when none is there.
QString GuideHtmlPath(const QString& programDir);

// F1 anywhere in `window` opens the guide in the system's browser. The guide
// is looked up on each press, from `programDir` (the program's own folder
// when empty); without one the key does nothing.
void InstallHelpKey(QWidget* window, const QString& programDir = QString());

}  // namespace vardex
