#include "pages/report_block_rows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "page_builder.h"
#include "settings_binding.h"

namespace {

const char* const kColumnLabels[] = {
    "Dest:", "Path(n-N):", "n:", "N:", "Rate [RF]:", "Rate [IS]:", "RF:", "IS:"};

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Wide enough for `sample` in the platform font plus the box's frame.
int BoxWidthFor(QWidget* box, const QString& sample) {
  return box->fontMetrics().horizontalAdvance(sample) + 14;
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

void AddReportBlockRow(QGridLayout* grid, QWidget* parent, const vardex::ReportBlockLayout& layout,
                       int row, int column, const QString& rowName,
                       const ReportBlockHeadings* headings) {
  const QString prefix = FromView(layout.controlPrefix);
  const vardex::ReportBlockHints& hints = *layout.hints;
  QStringList destinations;
  for (std::string_view entry : vardex::kDestinationList) destinations << FromView(entry);

  auto* dest = MakeList(parent, prefix + "dest", destinations, FromView(hints.dest));
  auto* path = MakeEdit(parent, prefix + FromView(layout.pathSuffix), 5, FromView(hints.path));
  auto* smalln = MakeEdit(parent, prefix + "smalln", 1, FromView(hints.smalln));
  auto* bign = MakeEdit(parent, prefix + "bign", 1, FromView(hints.bign));
  auto* rateRf =
      MakeEdit(parent, prefix + "txrate_rf", layout.rateBoxWidth, FromView(hints.txRateRf));
  auto* rateIs =
      MakeEdit(parent, prefix + "txrate_aprsis", layout.rateBoxWidth, FromView(hints.txRateAprsIs));
  auto* toRf = MakeCheck(parent, prefix + "torf", QString(), FromView(hints.toRf));
  auto* toAprsIs = MakeCheck(parent, prefix + "toaprsis", QString(), FromView(hints.toAprsIs));

  dest->setFixedWidth(BoxWidthFor(dest, "APVDX10") + 24);  // room for the arrow
  path->setFixedWidth(BoxWidthFor(path, "WIDE7"));
  smalln->setFixedWidth(BoxWidthFor(smalln, "00"));
  bign->setFixedWidth(BoxWidthFor(bign, "00"));
  rateRf->setFixedWidth(BoxWidthFor(rateRf, "00000"));
  rateIs->setFixedWidth(BoxWidthFor(rateIs, "00000"));

  QWidget* const controls[] = {dest, path, smalln, bign, rateRf, rateIs, toRf, toAprsIs};
  for (std::size_t i = 0; i < std::size(controls); ++i) {
    QWidget* control = controls[i];
    const bool isCheck = i >= 6;
    grid->addWidget(control, row, column + static_cast<int>(i),
                    isCheck ? Qt::AlignCenter : Qt::Alignment());
    if (headings != nullptr)
      (*headings)[i]->setBuddy(control);
    control->setAccessibleName(QStringLiteral("%1 %2").arg(kColumnLabels[i], rowName));
  }
}

void BuildTelemetryReportRows(QWidget* container) {
  auto* grid = new QGridLayout(container);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  const ReportBlockHeadings headings = AddReportBlockHeadings(grid, container, 0, 1);
  // The parameters row stands above the data row; the write takes data first.
  grid->addWidget(MakeLabel(container, "Telemetry parameters:"), 1, 0);
  AddReportBlockRow(grid, container,
                    vardex::LayoutOf(vardex::ReportBlockInstance::kTelemetryParameters), 1, 1,
                    "Telemetry parameters", &headings);
  grid->addWidget(MakeLabel(container, "Telemetry data:"), 2, 0);
  AddReportBlockRow(grid, container, vardex::LayoutOf(vardex::ReportBlockInstance::kTelemetryData),
                    2, 1, "Telemetry data");
  grid->setColumnStretch(9, 1);
}

void BindReportBlock(SettingsBinder& b, const vardex::ReportBlockLayout& layout,
                     vardex::ReportBlockSettings& s) {
  const QString prefix = FromView(layout.controlPrefix);
  b.List(prefix + "dest", s.dest);
  b.Text(prefix + FromView(layout.pathSuffix), s.path);
  b.Text(prefix + "smalln", s.smalln);
  b.Text(prefix + "bign", s.bign);
  b.Text(prefix + "txrate_rf", s.txRateRf);
  b.Text(prefix + "txrate_aprsis", s.txRateAprsIs);
  b.Check(prefix + "torf", s.toRf);
  b.Check(prefix + "toaprsis", s.toAprsIs);
}

void BindTelemetryReports(SettingsBinder& b, vardex::ReportBlockSettings& data,
                          vardex::ReportBlockSettings& parameters) {
  BindReportBlock(b, vardex::LayoutOf(vardex::ReportBlockInstance::kTelemetryData), data);
  BindReportBlock(b, vardex::LayoutOf(vardex::ReportBlockInstance::kTelemetryParameters),
                  parameters);
}
