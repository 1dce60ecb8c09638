#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config_image.h"
#include "config_settings.h"
#include "zip_archive.h"

namespace vardex {

// What a problem report holds, gathered by the window or by vardex. The
// configuration comes in clear; the report masks its passwords.
struct ProblemReport {
  std::string program;  // version, build, system
  std::string ports;    // the COM names, where they lead, the system's ports
  std::string log;      // the log of this run
  std::string trace;    // the port trace (FrameTrace::Text)
  // The configuration shown or named, as an image and as settings (the text
  // form); either may be missing. `configurationNote` says where it came
  // from, or why there is none.
  std::optional<ConfigImage> image;
  std::optional<ConfigSettings> settings;
  std::string configurationNote;
};

// The files of the report, in the order listed by its README.txt, with
// every password of the image and of the text form masked.
std::vector<ZipEntry> ProblemReportFiles(ProblemReport report);

}  // namespace vardex
