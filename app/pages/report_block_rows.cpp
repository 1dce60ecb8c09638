#include "pages/report_block_rows.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

#include "page_builder.h"
#include "page_controls.h"

namespace vardex {
namespace {

const char* const kColumnLabels[] = {
    "Dest:", "Path(n-N):", "n:", "N:", "Rate [RF]:", "Rate [IS]:", "RF:", "IS:"};
const char* const kColumnFields[] = {"dest",   "path",       "smalln", "bign",
                                     "rateRf", "rateAprsIs", "toRf",   "toAprsIs"};

// Wide enough for `sample` in the platform font plus the box's frame; the
// Dest list has room for its arrow too. The two switches keep their size.
int BoxWidthFor(QWidget* box, std::size_t column) {
  const char* const samples[] = {"APVDX10", "WIDE7", "00", "00", "00000", "00000"};
  const int width = box->fontMetrics().horizontalAdvance(samples[column]) + 14;
  return column == 0 ? width + 24 : width;
}

}  // namespace

ReportBlockHeadings AddReportBlockHeadings(QGridLayout* grid, QWidget* parent, int row,
                                           int column) {
  ReportBlockHeadings headings{};
  for (std::size_t i = 0; i < headings.size(); ++i) {
    headings[i] = MakeLabel(parent, kColumnLabels[i]);
    grid->addWidget(headings[i], row, column + static_cast<int>(i), Qt::AlignBottom);
  }
  return headings;
}

void AddReportBlockRow(QGridLayout* grid, PageControls& controls, ReportBlockInstance block,
                       QWidget* parent, int row, int column, const ReportBlockHeadings* headings) {
  const std::string key = ReportBlockKey(block) + ".";
  for (std::size_t i = 0; i < std::size(kColumnLabels); ++i) {
    QWidget* control = controls.Take(key + kColumnFields[i], parent);
    const bool isCheck = i >= 6;
    if (!isCheck)
      control->setFixedWidth(BoxWidthFor(control, i));
    grid->addWidget(control, row, column + static_cast<int>(i),
                    isCheck ? Qt::AlignCenter : Qt::Alignment());
    if (headings != nullptr)
      (*headings)[i]->setBuddy(control);
  }
}

}  // namespace vardex
