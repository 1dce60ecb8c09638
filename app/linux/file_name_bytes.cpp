#include <QFile>

#include "config_file.h"

namespace vardex {

// Names on Linux are bytes in the locale's encoding, as Qt spells them.
std::string FileNameBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace vardex
