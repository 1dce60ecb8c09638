#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"
#include "pages/report_block_rows.h"

namespace vardex {
namespace {

constexpr int kCommentColumn = 9;

}  // namespace

void BuildWeatherPage(QWidget* page, PageControls& controls) {
  QWidget* station = controls.Take("weather.stationType");
  auto* stationRow = new QHBoxLayout;
  stationRow->addSpacing(176);
  stationRow->addWidget(MakeLabel(page, "Weather station:", station));
  stationRow->addWidget(station);
  stationRow->addStretch(1);

  auto* report = new QGridLayout;
  report->setHorizontalSpacing(6);
  const ReportBlockHeadings headings = AddReportBlockHeadings(report, page, 0, 1);
  report->addWidget(MakeLabel(page, "Weather report:"), 1, 0);
  AddReportBlockRow(report, controls, ReportBlockInstance::kWeatherReport, page, 1, 1, &headings);
  QWidget* comment = controls.Take("weather.comment");
  comment->setMinimumWidth(225);
  report->addWidget(MakeLabel(page, "Comment:", comment), 0, kCommentColumn, Qt::AlignBottom);
  report->addWidget(comment, 1, kCommentColumn);
  report->setColumnMinimumWidth(0, 0);

  auto* rows = new QVBoxLayout(page);
  rows->addSpacing(8);
  rows->addLayout(stationRow);
  rows->addSpacing(12);
  auto* reportRow = new QHBoxLayout;
  reportRow->addSpacing(16);
  reportRow->addLayout(report);
  reportRow->addStretch(1);
  rows->addLayout(reportRow);
  rows->addStretch(1);
}

}  // namespace vardex
