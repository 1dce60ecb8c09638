#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QSysInfo>

#include "files_platform.h"

namespace vardex {

// QSaveFile writes a temporary file beside `path` and renames it over; the
// temporary file takes the mode of the file it replaces, so a replaced file
// keeps its permissions. A new file would get 0666 less the umask: the files
// hold passwords, so it is made first, empty and owner-only, for QSaveFile
// to copy that mode, and removed again if the writing fails.
bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error) {
  const int made = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (made >= 0)
    ::close(made);
  QSaveFile file(QFile::decodeName(path.c_str()));
  const auto size = static_cast<qint64>(contents.size());
  const bool done =
      file.open(QIODevice::WriteOnly) && file.write(contents.data(), size) == size && file.commit();
  if (!done) {
    error = path + ": cannot write (" + file.errorString().toStdString() + ")";
    file.cancelWriting();
    if (made >= 0)
      ::unlink(path.c_str());
  }
  return done;
}

std::string SystemDescription() {
  return (QSysInfo::prettyProductName() + QStringLiteral(", kernel ") + QSysInfo::kernelType() +
          QStringLiteral(" ") + QSysInfo::kernelVersion() + QStringLiteral(", ") +
          QSysInfo::currentCpuArchitecture())
      .toStdString();
}

}  // namespace vardex
