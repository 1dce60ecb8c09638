#pragma once

#include <QString>
#include <array>

#include "report_block.h"

class QGridLayout;
class QLabel;
class QWidget;
class SettingsBinder;

// One report block is one row of eight controls under the column labels
// "Dest:", "Path(n-N):", "n:", "N:", "Rate [RF]:", "Rate [IS]:", "RF:", "IS:".
// The same table entry that drives its encoding names its controls.

using ReportBlockHeadings = std::array<QLabel*, 8>;

// Puts the eight column labels into `grid` at `row`, from `column` on.
ReportBlockHeadings AddReportBlockHeadings(QGridLayout* grid, QWidget* parent, int row, int column);

// Puts the instance's eight controls into `grid` at `row`, from `column` on.
// Given `headings`, this row's controls become their buddies. Each control's
// accessible name is its column label followed by `rowName`, since one
// heading serves several rows.
void AddReportBlockRow(QGridLayout* grid, QWidget* parent, const vardex::ReportBlockLayout& layout,
                       int row, int column, const QString& rowName,
                       const ReportBlockHeadings* headings = nullptr);

// The "Telemetry parameters:" row above the "Telemetry data:" row, under
// their own column labels, in a layout of their own inside `container`.
void BuildTelemetryReportRows(QWidget* container);

void BindReportBlock(SettingsBinder& binder, const vardex::ReportBlockLayout& layout,
                     vardex::ReportBlockSettings& settings);
// Both telemetry blocks, data first as in the write order.
void BindTelemetryReports(SettingsBinder& binder, vardex::ReportBlockSettings& data,
                          vardex::ReportBlockSettings& parameters);
