#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "beacon_settings.h"
#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"
#include "pages/report_block_rows.h"

namespace vardex {
namespace {

constexpr int kMessageColumn = 8;

}  // namespace

void BuildBeaconsPage(QWidget* page, PageControls& controls) {
  auto* grid = new QGridLayout(page);
  grid->setVerticalSpacing(3);
  const ReportBlockHeadings headings = AddReportBlockHeadings(grid, page, 0, 0);

  auto* messageHeading = new QHBoxLayout;
  auto* heading = MakeLabel(page, "Message (empty fields are ignored):");
  heading->setObjectName("Label30");
  messageHeading->addWidget(heading, 0, Qt::AlignBottom);
  messageHeading->addStretch(1);
  messageHeading->addWidget(controls.TakeButton(PageAction::kSpecialStrings));
  grid->addLayout(messageHeading, 0, kMessageColumn);

  for (int row = 1; row <= static_cast<int>(kBeaconCount); ++row) {
    AddReportBlockRow(grid, controls, ReportBlockInstance(row - 1), page, row, 0,
                      row == 1 ? &headings : nullptr);
    QWidget* message = controls.Take(RecordKey("beacon", row, "message"));
    message->setMinimumWidth(345);
    if (row == 1)
      heading->setBuddy(message);
    grid->addWidget(message, row, kMessageColumn);
  }
  grid->setRowStretch(static_cast<int>(kBeaconCount) + 1, 1);
}

}  // namespace vardex
