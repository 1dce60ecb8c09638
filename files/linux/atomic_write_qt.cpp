#include <QFile>
#include <QSaveFile>

#include "image_file.h"

namespace vardex {

// QSaveFile writes a temporary file beside `path` and renames it over.
bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error) {
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) {
    error = path + ": cannot write (" + file.errorString().toStdString() + ")";
    return false;
  }
  const auto size = static_cast<qint64>(contents.size());
  if (file.write(contents.data(), size) != size || !file.commit()) {
    error = path + ": cannot write (" + file.errorString().toStdString() + ")";
    file.cancelWriting();
    return false;
  }
  return true;
}

}  // namespace vardex
