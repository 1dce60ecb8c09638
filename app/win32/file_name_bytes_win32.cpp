#include "config_file.h"

namespace vardex {

// The files library and the firmware load take UTF-8 names on Windows and
// open them with the wide calls.
std::string FileNameBytes(const QString& path) {
  return path.toStdString();
}

}  // namespace vardex
