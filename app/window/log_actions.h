#pragma once

#include <QString>

class QMenuBar;
class QPlainTextEdit;

namespace vardex {

// Writes the log's text to `path`, replaced whole or not at all, with the
// system's line ends. Empty when done, else why not.
QString SaveLogText(const QString& text, const QString& path);

// The log pane's context menu: Copy (the selection, or the whole log when
// nothing is selected), Select all and "Save log...". "Save log..." also
// goes into the menu bar's File menu, above Quit, when there is one.
void AddLogActions(QPlainTextEdit* log, QMenuBar* menuBar);

}  // namespace vardex
