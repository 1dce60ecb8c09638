#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vardex {

// Where a window of `frame` size goes when it asks for `wanted` on a screen
// whose free area is `available`: at `wanted` when it fits there, otherwise
// moved as little as needed along each axis. A window larger than the area
// keeps its top-left corner inside it, so its title bar stays reachable.
QPoint PlaceWindow(const QRect& available, const QSize& frame, const QPoint& wanted);

// Moves the top-level `window` to `wanted`, or as near as its screen allows.
void PlaceOnScreen(QWidget* window, const QPoint& wanted);

}  // namespace vardex
