#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"
#include "pages/report_block_rows.h"
#include "telemetry_settings.h"

namespace vardex {
namespace {

constexpr int kChannelCount = 5;

// Columns of the channel grid.
enum Column { kRowLabel, kSource, kName, kUnits, kCoeffA, kAverage = kCoeffA + 3, kButton };

// A channel's row: source, name, units, average, then the three
// coefficients (the order Tab takes them); its "Default parameters" button
// sits between the two.
void AddChannelRow(QWidget* page, PageControls& controls, QGridLayout* grid, int channelNumber) {
  auto field = [channelNumber](const char* name) {
    return RecordKey("channel", channelNumber, name);
  };
  auto* source = controls.Take<QComboBox>(field("source"));
  QWidget* name = controls.Take(field("name"));
  QWidget* units = controls.Take(field("units"));
  auto* average = controls.Take<QComboBox>(field("average"));
  QPushButton* button = controls.TakeButton(PageAction::kChannelDefaults, channelNumber);

  const QString rowLabel = QStringLiteral("Analog %1:").arg(channelNumber);
  grid->addWidget(MakeLabel(page, rowLabel, source), channelNumber, kRowLabel);
  grid->addWidget(source, channelNumber, kSource);
  grid->addWidget(name, channelNumber, kName);
  grid->addWidget(units, channelNumber, kUnits);
  const char* const coefficients[] = {"coeffA", "coeffB", "coeffC"};
  for (int i = 0; i < 3; ++i)
    grid->addWidget(controls.Take(field(coefficients[i])), channelNumber, kCoeffA + i);
  grid->addWidget(average, channelNumber, kAverage);
  grid->addWidget(button, channelNumber, kButton);

  source->setMinimumContentsLength(20);
  average->setMinimumContentsLength(3);
}

}  // namespace

void BuildTelemetryPage(QWidget* page, PageControls& controls) {
  auto* module = controls.Take<QComboBox>("telemetry.module");
  module->setMinimumContentsLength(8);
  auto* moduleRow = new QHBoxLayout;
  moduleRow->addWidget(MakeLabel(page, "Telemetry module:", module));
  moduleRow->addWidget(module);
  moduleRow->addStretch(1);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  const std::array<std::pair<int, const char*>, 7> headings = {{{kSource, "Source:"},
                                                                {kName, "Name:"},
                                                                {kUnits, "Units:"},
                                                                {kCoeffA, "Coeff A:"},
                                                                {kCoeffA + 1, "Coeff B:"},
                                                                {kCoeffA + 2, "Coeff C:"},
                                                                {kAverage, "1 min average:"}}};
  for (const auto& [column, text] : headings) grid->addWidget(new QLabel(text, page), 0, column);
  for (int k = 1; k <= kChannelCount; ++k) AddChannelRow(page, controls, grid, k);

  // The "Telemetry parameters:" row above the "Telemetry data:" row, under
  // their own column labels, in an area of their own.
  auto* reportBlocks = new QWidget(page);
  reportBlocks->setObjectName("TelemetryReportBlocks");
  auto* reports = new QGridLayout(reportBlocks);
  reports->setContentsMargins(0, 0, 0, 0);
  reports->setHorizontalSpacing(6);
  const ReportBlockHeadings blockHeadings = AddReportBlockHeadings(reports, reportBlocks, 0, 1);
  reports->addWidget(MakeLabel(reportBlocks, "Telemetry parameters:"), 1, 0);
  AddReportBlockRow(reports, controls, ReportBlockInstance::kTelemetryParameters, reportBlocks, 1,
                    1, &blockHeadings);
  reports->addWidget(MakeLabel(reportBlocks, "Telemetry data:"), 2, 0);
  AddReportBlockRow(reports, controls, ReportBlockInstance::kTelemetryData, reportBlocks, 2, 1);
  reports->setColumnStretch(9, 1);

  auto* column = new QVBoxLayout(page);
  column->setSpacing(4);
  column->addLayout(moduleRow);
  column->addLayout(grid);
  column->addWidget(reportBlocks);
  column->addStretch(1);
}

}  // namespace vardex
