#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace vardex {

// The controls that carry no setting. Those that do are built from the page
// tables (page_controls.h).
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);
// A label; with a buddy that has no accessible name yet, the label's text
// becomes it.
QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr);

}  // namespace vardex
