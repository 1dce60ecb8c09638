#pragma once

class QTabWidget;
class QWidget;

namespace vardex {

// Brings `control` (a control on one of `tabs`' pages) in front after its
// box was closed: its page is shown, scrolled to it, and it has the focus
// with its text selected. Nothing happens for a null control.
void ShowFailedControl(QTabWidget* tabs, QWidget* control);

}  // namespace vardex
