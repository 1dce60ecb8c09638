#include "pages/weather_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "page_builder.h"
#include "pages/report_block_rows.h"
#include "settings_binding.h"

namespace {

constexpr int kCommentColumn = 9;

const vardex::ReportBlockLayout& WeatherLayout() {
  return vardex::LayoutOf(vardex::ReportBlockInstance::kWeatherReport);
}

}  // namespace

void BuildWeatherPage(QWidget* page) {
  QStringList stationTypes;
  for (std::string_view entry : vardex::kWeatherStationTypes) {
    stationTypes << QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size()));
  }
  auto* station =
      MakeList(page, "Weather_stationtype", stationTypes, "Weather station selection box.");
  auto* stationRow = new QHBoxLayout;
  stationRow->addSpacing(176);
  stationRow->addWidget(MakeLabel(page, "Weather station:", station));
  stationRow->addWidget(station);
  stationRow->addStretch(1);

  auto* report = new QGridLayout;
  report->setHorizontalSpacing(6);
  const ReportBlockHeadings headings = AddReportBlockHeadings(report, page, 0, 1);
  report->addWidget(MakeLabel(page, "Weather report:"), 1, 0);
  AddReportBlockRow(report, page, WeatherLayout(), 1, 1, "Weather report", &headings);
  auto* comment = MakeEdit(page, "Weather_comment", static_cast<int>(vardex::kWeatherCommentLength),
                           "weather report comment.");
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

void BindWeather(SettingsBinder& b, vardex::WeatherSettings& s) {
  b.List("Weather_stationtype", s.stationType);
  BindReportBlock(b, WeatherLayout(), s.report);
  b.Text("Weather_comment", s.comment);
}
