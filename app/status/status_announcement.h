#pragma once

#include <QString>

class QAccessibleInterface;

namespace vardex {

// Sends the status bar's new text to screen readers as an announcement, on
// top of the accessibility events every platform gets; each platform's own
// (app/linux/, app/win32/).
void AnnounceOnBus(QAccessibleInterface* accessible, const QString& text);

}  // namespace vardex
