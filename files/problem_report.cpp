#include "problem_report.h"

#include "field_rows.h"
#include "secret_fields.h"
#include "text_form.h"

namespace vardex {
namespace {

std::string ReadMe(const ProblemReport& report) {
  std::string text =
      "VARDEX Configurator problem report\n"
      "\n"
      "This archive was written on this PC at the user's request and is sent\n"
      "nowhere by the program. It holds:\n"
      "\n"
      "  program.txt        the program's version and build, the system\n"
      "  ports.txt          the COM names and where each leads, the serial\n"
      "                     ports with their by-id names, drivers, makers and\n"
      "                     products\n"
      "  log.txt            the log of this run\n"
      "  trace.txt          every byte sent to and read from the port in this\n"
      "                     run, with its time (the newest, bounded in size);\n"
      "                     the bytes of the passwords in the configuration\n"
      "                     pages are shown as **\n";
  if (report.image)
    text += "  configuration.img  the configuration as an image file\n";
  if (report.settings || report.image)
    text += "  configuration.txt  the same as text, one line per field\n";
  text +=
      "\n"
      "Every password (APRS-IS, web and telnet) and the web login token are\n"
      "replaced by " +
      std::string(kSecretMark) +
      " in the configuration; an empty one stays empty. Nothing\n"
      "else is left out of what is named above; no other file of the PC is\n"
      "read.\n"
      "\n"
      "Configuration: " +
      (report.configurationNote.empty() ? std::string("none") : report.configurationNote) + "\n";
  return text;
}

}  // namespace

std::vector<ZipEntry> ProblemReportFiles(ProblemReport report) {
  if (report.image) {
    MaskSecrets(*report.image);
    if (!report.settings)
      report.settings = SettingsFromImage(*report.image);
  }
  if (report.settings)
    MaskSecrets(*report.settings);
  std::vector<ZipEntry> files = {
      {"README.txt", ReadMe(report)},         {"program.txt", std::move(report.program)},
      {"ports.txt", std::move(report.ports)}, {"log.txt", std::move(report.log)},
      {"trace.txt", std::move(report.trace)},
  };
  if (report.image)
    files.push_back(
        {"configuration.img", {report.image->bytes.begin(), report.image->bytes.end()}});
  if (report.settings)
    files.push_back({"configuration.txt", ExportText(*report.settings)});
  return files;
}

}  // namespace vardex
