#include "pages/telemetry_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "page_builder.h"
#include "pages/report_block_rows.h"
#include "settings_binding.h"

namespace {

constexpr const char* kReportBlockArea = "TelemetryReportBlocks";

struct ChannelControls {
  const char* source;
  const char* name;
  const char* units;
  std::array<const char*, 3> coefficients;  // A, B, C
  const char* average;
  const char* button;
  int textLength;  // name and units
};

constexpr std::array<ChannelControls, 5> kChannels = {{
    {"ComboBox21", "Edit61", "Edit62", {"Edit63", "Edit64", "Edit65"}, "ComboBox29", "Button6", 7},
    {"ComboBox22", "Edit66", "Edit67", {"Edit68", "Edit69", "Edit70"}, "ComboBox30", "Button7", 7},
    {"ComboBox23", "Edit71", "Edit72", {"Edit73", "Edit74", "Edit75"}, "ComboBox31", "Button8", 6},
    {"ComboBox24", "Edit78", "Edit79", {"Edit80", "Edit81", "Edit82"}, "ComboBox32", "Button9", 6},
    {"ComboBox25", "Edit86", "Edit87", {"Edit88", "Edit89", "Edit90"}, "ComboBox33", "Button10", 5},
}};

constexpr std::array<const char*, 3> kCoefficientLetters = {"A", "B", "C"};

QStringList SourceItems() {
  QStringList items;
  for (const char* item : vardex::kTelemetrySourceItems) items << item;
  return items;
}

// Columns of the channel grid.
enum Column { kRowLabel, kSource, kName, kUnits, kCoeffA, kAverage = kCoeffA + 3, kButton };

void AddChannelRow(QWidget* page, QGridLayout* grid, int gridRow, int channelNumber,
                   const ChannelControls& c) {
  const QString analog = QStringLiteral("Analog channel %1").arg(channelNumber);
  auto* source =
      MakeList(page, c.source, SourceItems(), analog + " measurement source in telemetry module.");
  auto* name = MakeEdit(page, c.name, c.textLength, analog + " report name.");
  auto* units = MakeEdit(page, c.units, c.textLength, analog + " report units.");
  auto* average = MakeList(page, c.average, {"Off", "On"},
                           "If selected, the device will calculate 1 minute average of measured "
                           "samples.");
  auto* button = MakeButton(page, c.button, "Default parameters");
  button->setToolTip("Default parameters for telemetry module.");

  const QString rowLabel = QStringLiteral("Analog %1:").arg(channelNumber);
  grid->addWidget(MakeLabel(page, rowLabel, source), gridRow, kRowLabel);
  grid->addWidget(source, gridRow, kSource);
  grid->addWidget(name, gridRow, kName);
  grid->addWidget(units, gridRow, kUnits);
  for (int i = 0; i < 3; ++i) {
    auto* coefficient =
        MakeEdit(page, c.coefficients[static_cast<std::size_t>(i)], 8,
                 QStringLiteral("%1 telemetry calculation coefficient %2. Equation: A*x*x+B*x+C "
                                "(where x is the measurement sample).")
                     .arg(analog, kCoefficientLetters[static_cast<std::size_t>(i)]));
    coefficient->setFixedWidth(64);
    coefficient->setAccessibleName(QStringLiteral("Coeff %1: %2")
                                       .arg(kCoefficientLetters[static_cast<std::size_t>(i)])
                                       .arg(rowLabel));
    grid->addWidget(coefficient, gridRow, kCoeffA + i);
  }
  grid->addWidget(average, gridRow, kAverage);
  grid->addWidget(button, gridRow, kButton);

  // The column headings serve all five rows; say which row each box is on.
  source->setAccessibleName(QStringLiteral("Source: %1").arg(rowLabel));
  name->setAccessibleName(QStringLiteral("Name: %1").arg(rowLabel));
  units->setAccessibleName(QStringLiteral("Units: %1").arg(rowLabel));
  average->setAccessibleName(QStringLiteral("1 min average: %1").arg(rowLabel));
  button->setAccessibleName(QStringLiteral("Default parameters: %1").arg(rowLabel));
  source->setMinimumContentsLength(20);
  name->setFixedWidth(56);
  units->setFixedWidth(56);
  average->setMinimumContentsLength(3);
}

void BindChannelTexts(SettingsBinder& b, const ChannelControls& c, vardex::TelemetryChannel& s) {
  b.Text(c.name, s.name);
  b.Text(c.units, s.units);
  b.Text(c.coefficients[0], s.coeffA);
  b.Text(c.coefficients[1], s.coeffB);
  b.Text(c.coefficients[2], s.coeffC);
}

}  // namespace

void BuildTelemetryPage(QWidget* page) {
  auto* module = MakeList(page, "ComboBox26", {"Disabled", "Enabled"},
                          "Enables or dissables telemetry module support.");
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
  for (int k = 1; k <= static_cast<int>(kChannels.size()); ++k) {
    AddChannelRow(page, grid, k, k, kChannels[static_cast<std::size_t>(k - 1)]);
  }

  // The telemetry report-block rows are built into this area by their own
  // page code.
  auto* reportBlocks = new QWidget(page);
  reportBlocks->setObjectName(kReportBlockArea);
  BuildTelemetryReportRows(reportBlocks);

  auto* column = new QVBoxLayout(page);
  column->setSpacing(4);
  column->addLayout(moduleRow);
  column->addLayout(grid);
  column->addWidget(reportBlocks);
  column->addStretch(1);
}

QWidget* TelemetryReportBlockArea(QWidget* page) {
  return page->findChild<QWidget*>(kReportBlockArea);
}

void BindTelemetry(SettingsBinder& b, vardex::TelemetrySettings& s) {
  b.List("ComboBox26", s.moduleSupport);
  for (std::size_t i = 0; i < kChannels.size(); ++i) {
    const ChannelControls& c = kChannels[i];
    vardex::TelemetryChannel& channel = s.channels[i];
    b.List(c.source, channel.source);
    BindChannelTexts(b, c, channel);
    b.List(c.average, channel.average);
  }
}

void ApplyChannelDefaultsOnPage(QWidget* root, int channelNumber) {
  const ChannelControls& c = kChannels[static_cast<std::size_t>(channelNumber - 1)];
  vardex::TelemetryChannel channel;
  SettingsBinder gather(root, SettingsBinder::Direction::kFromWidgets);
  gather.List(c.source, channel.source);
  if (!vardex::ApplyChannelDefaults(channel, channelNumber))
    return;
  // Only the five boxes change; the source and average lists stay as they are.
  SettingsBinder show(root, SettingsBinder::Direction::kToWidgets);
  BindChannelTexts(show, c, channel);
}
