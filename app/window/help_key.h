#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vardex {

// The user guide's HTML for a program started from `programDir`: the copy
// installed under ../share/doc/vardex-configurator, else the one the Windows
// setup installs beside the program in doc, else the one the build tree
// makes in ../docs. Empty when none is there.
QString GuideHtmlPath(const QString& programDir);

// What F1 says when the guide cannot be shown: no guide beside the program,
// or no browser took it.
QString GuideNotFoundText();
QString GuideNotOpenedText(const QString& path);

using HelpNotice = std::function<void(const QString&)>;

// Opens `page` (guide.html or field-reference.html, which lie together) of
// the guide found from `programDir` (the program's own folder when empty) in
// the system's browser; when there is none, or the browser does not start,
// `tell` gets the text above (the window puts it on its status line).
void ShowGuidePage(const QString& page, const QString& programDir = QString(),
                   const HelpNotice& tell = nullptr);

// F1 anywhere in `window` opens the guide, looked up on each press.
void InstallHelpKey(QWidget* window, const QString& programDir = QString(),
                    const HelpNotice& tell = nullptr);

}  // namespace vardex
