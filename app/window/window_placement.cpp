#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vardex {
namespace {

// The nearest start in [low, high - length], or `low` when it cannot fit.
int FitAxis(int wanted, int length, int low, int high) {
  return std::max(low, std::min(wanted, high - length));
}

}  // namespace

QPoint PlaceWindow(const QRect& available, const QSize& frame, const QPoint& wanted) {
  const int right = available.x() + available.width();
  const int bottom = available.y() + available.height();
  return {FitAxis(wanted.x(), frame.width(), available.x(), right),
          FitAxis(wanted.y(), frame.height(), available.y(), bottom)};
}

void PlaceOnScreen(QWidget* window, const QPoint& wanted) {
  QScreen* screen = QGuiApplication::screenAt(wanted);
  if (screen == nullptr)
    screen = window->screen();
  if (screen == nullptr) {
    window->move(wanted);
    return;
  }
  // The frame counts once the window system has drawn it; before that the
  // window's own size is the best guess.
  const QSize frame = window->frameGeometry().size().expandedTo(window->size());
  window->move(PlaceWindow(screen->availableGeometry(), frame, wanted));
}

}  // namespace vardex
