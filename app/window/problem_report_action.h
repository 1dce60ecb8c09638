#pragma once

#include <QString>
#include <functional>

#include "config_settings.h"
#include "problem_report.h"

class QMenuBar;
class QWidget;

namespace vardex {

class ConfigDocument;

// What the window has to put into a problem report, taken when the user
// asks for one.
struct WindowReportSources {
  std::function<QString()> log;                  // the log pane's text
  std::function<ConfigSettings()> settings;      // the values the pages show
  std::function<QString()> configurationSource;  // where those values came from
};

// The report as the window gathers it: the program and the system, the COM
// names and the system's ports, the log pane, the port trace and the
// configuration the pages show (as the image "Write config" would build,
// when the pages build one, and as text). Passwords are still in clear.
ProblemReport GatherWindowReport(const WindowReportSources& sources);

// Writes the report's zip to `path`, owner-only; the trouble, or empty.
QString SaveProblemReport(const ProblemReport& report, const QString& path);

// Where the pages' values came from, and how many of them were changed
// since: "read from COM1 at 10:42, 2 fields changed since".
QString DescribeValuesSource(const ConfigDocument& document);

// Says what became of a report: where it was saved, or why it was not.
using ReportNotice = std::function<void(const QString& text, bool failed)>;

// Adds Help > "Save a problem report..." above the About entry: it asks
// where, writes the report and hands what became of it to `tell`.
// `choosePath` replaces the file dialog (tests); empty for the dialog.
void AddProblemReportAction(QMenuBar* menuBar, const WindowReportSources& sources,
                            const ReportNotice& tell,
                            std::function<QString(QWidget* parent)> choosePath = {});

}  // namespace vardex
