#pragma once

#include <QList>

class QWidget;

namespace vardex {

// The controls of `page` that Tab stops at, in the order they appear on
// screen: row by row from the top, each row from left to right. Two
// controls share a row when the middle of the lower one lies within the
// height of the upper one. The page is laid out first at its own size, so
// pages not yet shown are ordered too.
QList<QWidget*> ScreenOrder(QWidget* page);

// Makes Tab visit `chain` in its order.
void ChainTabOrder(const QList<QWidget*>& chain);

}  // namespace vardex
