#include "page_area.h"

#include <QLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <algorithm>

namespace vardex {
namespace {

// Small enough for any screen, large enough to show a few rows.
constexpr QSize kSmallestPageArea{200, 80};

// Asks for its whole page, or for no more than the window can spare.
class PageScrollArea final : public QScrollArea {
 public:
  void SetLimit(const QSize& limit) {
    limit_ = limit;
    updateGeometry();
  }
  QSize sizeHint() const override {
    const QSize full = widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
    return limit_.isValid() ? full.boundedTo(limit_) : full;
  }

 private:
  QSize limit_;
};

PageScrollArea* ScrollAreaOf(QTabWidget* tabs, int index) {
  return static_cast<PageScrollArea*>(tabs->widget(index));
}

}  // namespace

QWidget* AddScrollingPage(QTabWidget* tabs, const QString& sheetName, const QString& caption) {
  auto* area = new PageScrollArea;
  area->setObjectName(sheetName + QStringLiteral("Area"));
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  // Tab goes straight to the page's controls; the area scrolls to follow.
  area->setFocusPolicy(Qt::NoFocus);
  auto* sheet = new QWidget;
  sheet->setObjectName(sheetName);
  area->setWidget(sheet);
  tabs->addTab(area, caption);
  return sheet;
}

void FitPagesInto(QWidget* window, QTabWidget* tabs, const QSize& room, const QSize& frameExtra) {
  // All captions in a row while there is room; arrows to reach them when not.
  tabs->setUsesScrollButtons(false);
  QSize full;
  for (int i = 0; i < tabs->count(); ++i) {
    ScrollAreaOf(tabs, i)->SetLimit(QSize());
    full = full.expandedTo(ScrollAreaOf(tabs, i)->sizeHint());
  }
  // The window's layout keeps the page control's size until told otherwise.
  tabs->updateGeometry();
  window->layout()->activate();
  const QSize needed = window->sizeHint() + frameExtra;
  const QSize excess(std::max(0, needed.width() - room.width()),
                     std::max(0, needed.height() - room.height()));
  if (excess.isNull())
    return;
  if (excess.width() > 0) {
    tabs->setElideMode(Qt::ElideNone);
    tabs->setUsesScrollButtons(true);
  }
  const QSize fitted = (full - excess).expandedTo(kSmallestPageArea);
  for (int i = 0; i < tabs->count(); ++i) ScrollAreaOf(tabs, i)->SetLimit(fitted);
  tabs->updateGeometry();
  window->layout()->activate();
}

}  // namespace vardex
