#pragma once

#include <QSize>
#include <QString>

class QTabWidget;
class QWidget;

namespace vardex {

// Adds a tab that shows the sheet named `sheetName` in a scroll area (which
// scrolls only when the window has to be smaller than the sheet); returns
// the sheet to build the page into.
QWidget* AddScrollingPage(QTabWidget* tabs, const QString& sheetName, const QString& caption);

// Gives every page of `tabs` its full size, then takes back from the page
// area what `window` (with `frameExtra` for its frame) needs to fit into
// `room`. What the pages lose they show through their scroll bars.
void FitPagesInto(QWidget* window, QTabWidget* tabs, const QSize& room, const QSize& frameExtra);

}  // namespace vardex
