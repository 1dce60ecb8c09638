#include "problem_report_action.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QtGlobal>

#include "app_platform.h"
#include "com_port_list.h"
#include "config_document.h"
#include "config_driver.h"
#include "config_file.h"
#include "files_platform.h"
#include "system_serial_port.h"
#include "trace_secrets.h"
#include "vardex_version.h"
#include "zip_archive.h"

namespace vardex {
namespace {

std::string ProgramText() {
  return std::string("VARDEX Configurator ") + kVersion + " (the window)\nbuild: " + kBuild +
         "\nQt: " + qVersion() +
         " (built with " QT_VERSION_STR ")\nsystem: " + SystemDescription() + "\n";
}

std::string PortsText() {
  std::string text = ComPortHint().toStdString() + "\n\nSerial ports of the system:";
  const std::vector<SystemPortInfo> ports = SystemPortInfos();
  text += ports.empty() ? " none\n" : "\n";
  for (const SystemPortInfo& port : ports) text += port.path + "\n" + SystemPortFactLines(port);
  return text;
}

ZipTime NowAsZipTime() {
  const QDateTime now = QDateTime::currentDateTime();
  return {now.date().year(), now.date().month(),  now.date().day(),
          now.time().hour(), now.time().minute(), now.time().second()};
}

QString AskWhere(QWidget* parent) {
  const QString suggested = QDir::home().filePath(
      QStringLiteral("vardex-report-%1.zip")
          .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"))));
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Save a problem report"), suggested,
                                      QStringLiteral("Zip archives (*.zip);;All files (*)"));
}

}  // namespace

ProblemReport GatherWindowReport(const WindowReportSources& sources) {
  ProblemReport report;
  report.program = ProgramText();
  report.ports = PortsText();
  report.log = sources.log().toStdString();
  if (!report.log.empty() && report.log.back() != '\n')
    report.log += '\n';
  report.trace = TraceTextWithoutSecrets(SystemPortTrace());
  const ConfigSettings settings = sources.settings();
  report.settings = settings;
  report.configurationNote =
      "the values the window shows: " + sources.configurationSource().toStdString();
  ConfigImage image;
  const StepResult built = BuildConfigImage(settings, image);
  if (built.Succeeded()) {
    report.image = image;
  } else {
    report.configurationNote += "; the pages build no image: " + FailureText(built);
  }
  return report;
}

QString SaveProblemReport(const ProblemReport& report, const QString& path) {
  const std::string zip = ZipArchive(ProblemReportFiles(report), NowAsZipTime());
  std::string error;
  if (!WriteFileAtomically(FileNameBytes(path), zip, error))
    return QString::fromStdString(error);
  return {};
}

QString DescribeValuesSource(const ConfigDocument& document) {
  const ConfigDocument::Source& source = document.ValuesSource();
  QString text;
  switch (source.kind) {
    case ConfigDocument::Source::Kind::kStartUp:
      text = QStringLiteral("the start-up values");
      break;
    case ConfigDocument::Source::Kind::kRead:
      text = QStringLiteral("read from %1 at %2").arg(source.comName, source.time);
      break;
    case ConfigDocument::Source::Kind::kWritten:
      text = QStringLiteral("written to %1 at %2").arg(source.comName, source.time);
      break;
    case ConfigDocument::Source::Kind::kFile:
      text = QStringLiteral("the file %1").arg(QDir::toNativeSeparators(source.path));
      break;
  }
  return text + QStringLiteral(", %1 field(s) changed since").arg(document.EditCount());
}

void AddProblemReportAction(QMenuBar* menuBar, const WindowReportSources& sources,
                            const ReportNotice& tell,
                            std::function<QString(QWidget* parent)> choosePath) {
  auto* help = menuBar->findChild<QMenu*>("HelpMenu");
  if (help == nullptr)
    return;
  auto* action = new QAction(QStringLiteral("Save a &problem report..."), help);
  action->setObjectName("SaveProblemReport");
  if (!choosePath)
    choosePath = AskWhere;
  QObject::connect(action, &QAction::triggered, menuBar, [menuBar, sources, tell, choosePath] {
    const QString path = choosePath(menuBar->window());
    if (path.isEmpty())
      return;
    const QString trouble = SaveProblemReport(GatherWindowReport(sources), path);
    if (trouble.isEmpty()) {
      tell(QStringLiteral("Problem report saved to %1 (passwords masked). Nothing was sent: "
                          "attach the file to your message.")
               .arg(QDir::toNativeSeparators(path)),
           false);
    } else {
      tell(QStringLiteral("The problem report was not saved: %1").arg(trouble), true);
    }
  });
  // Above the About entry and its separator.
  const QList<QAction*> entries = help->actions();
  help->insertAction(entries.size() >= 2 ? entries[entries.size() - 2] : nullptr, action);
}

}  // namespace vardex
