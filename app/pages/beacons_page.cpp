#include "pages/beacons_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "page_builder.h"
#include "pages/report_block_rows.h"
#include "settings_binding.h"

namespace {

constexpr int kMessageColumn = 8;

QString MessageControl(std::size_t index) {
  return QStringLiteral("Beacon%1_msg").arg(index + 1);
}

}  // namespace

void BuildBeaconsPage(QWidget* page) {
  auto* grid = new QGridLayout(page);
  grid->setVerticalSpacing(3);
  const ReportBlockHeadings headings = AddReportBlockHeadings(grid, page, 0, 0);

  auto* messageHeading = new QHBoxLayout;
  auto* heading = MakeLabel(page, "Message (empty fields are ignored):");
  heading->setObjectName("Label30");
  messageHeading->addWidget(heading, 0, Qt::AlignBottom);
  messageHeading->addStretch(1);
  messageHeading->addWidget(MakeButton(page, "Button11", "Special strings"));
  grid->addLayout(messageHeading, 0, kMessageColumn);

  for (std::size_t i = 0; i < vardex::kBeaconCount; ++i) {
    const int row = static_cast<int>(i) + 1;
    const QString rowName = QStringLiteral("Beacon %1").arg(row);
    AddReportBlockRow(grid, page, vardex::kReportBlockLayouts[i], row, 0, rowName,
                      i == 0 ? &headings : nullptr);
    auto* message =
        MakeEdit(page, MessageControl(i), static_cast<int>(vardex::kBeaconMessageLength),
                 "Beacon message. Please check \"Special strings\".");
    message->setMinimumWidth(345);
    message->setAccessibleName(QStringLiteral("Message %1").arg(rowName));
    if (i == 0)
      heading->setBuddy(message);
    grid->addWidget(message, row, kMessageColumn);
  }
  grid->setRowStretch(static_cast<int>(vardex::kBeaconCount) + 1, 1);
}

void BindBeacons(SettingsBinder& b, vardex::BeaconSettings& s) {
  for (std::size_t i = 0; i < s.beacons.size(); ++i) {
    BindReportBlock(b, vardex::kReportBlockLayouts[i], s.beacons[i].block);
    b.Text(MessageControl(i), s.beacons[i].message);
  }
}
