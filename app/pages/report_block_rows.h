#pragma once

#include <QString>
#include <array>

#include "report_block.h"

class QGridLayout;
class QLabel;
class QWidget;

namespace vardex {

class PageControls;

// One report block is one row of eight controls under the column labels
// "Dest:", "Path(n-N):", "n:", "N:", "Rate [RF]:", "Rate [IS]:", "RF:", "IS:".

using ReportBlockHeadings = std::array<QLabel*, 8>;

// Puts the eight column labels into `grid` at `row`, from `column` on.
ReportBlockHeadings AddReportBlockHeadings(QGridLayout* grid, QWidget* parent, int row, int column);

// Takes the eight controls of `block` from `controls` (built on `parent`) and
// puts them into `grid` at `row`, from `column` on. Given `headings`, this
// row's controls become their buddies.
void AddReportBlockRow(QGridLayout* grid, PageControls& controls, ReportBlockInstance block,
                       QWidget* parent, int row, int column,
                       const ReportBlockHeadings* headings = nullptr);

}  // namespace vardex
