#include "tab_order.h"

#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace vardex {
namespace {

bool StopsTab(const QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) != 0 && widget->focusProxy() == nullptr;
}

struct Placed {
  QWidget* widget;
  QRect rect;  // in page coordinates
};

}  // namespace

QList<QWidget*> ScreenOrder(QWidget* page) {
  if (page->layout() != nullptr)
    page->layout()->setGeometry(QRect(QPoint(), page->size().expandedTo(page->sizeHint())));
  QList<Placed> placed;
  for (QWidget* widget : page->findChildren<QWidget*>()) {
    // A list's pop-up is a window of its own.
    if (StopsTab(widget) && !widget->isHidden() && widget->window() == page->window())
      placed.append({widget, QRect(widget->mapTo(page, QPoint()), widget->size())});
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const Placed& a, const Placed& b) { return a.rect.top() < b.rect.top(); });
  QList<QWidget*> ordered;
  for (qsizetype first = 0; first < placed.size();) {
    const QRect& lead = placed[first].rect;
    qsizetype end = first + 1;
    while (end < placed.size() && placed[end].rect.center().y() <= lead.bottom()) ++end;
    std::stable_sort(
        placed.begin() + first, placed.begin() + end,
        [](const Placed& a, const Placed& b) { return a.rect.left() < b.rect.left(); });
    for (qsizetype i = first; i < end; ++i) ordered.append(placed[i].widget);
    first = end;
  }
  return ordered;
}

void ChainTabOrder(const QList<QWidget*>& chain) {
  for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace vardex
