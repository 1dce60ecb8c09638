#include "recent_files.h"

#include <QSettings>

namespace vardex {
namespace {

const char* const kRecentKey = "files/recent";
const char* const kVerifyKey = "write/verify";

}  // namespace

QStringList RecentFiles::Paths() const {
  return QSettings().value(kRecentKey).toStringList().mid(0, kKept);
}

void RecentFiles::Add(const QString& path) {
  QStringList paths = Paths();
  paths.removeAll(path);
  paths.prepend(path);
  QSettings().setValue(kRecentKey, paths.mid(0, kKept));
}

void RecentFiles::Remove(const QString& path) {
  QStringList paths = Paths();
  paths.removeAll(path);
  QSettings().setValue(kRecentKey, paths);
}

bool RecentFiles::VerifyAfterWrite() const {
  return QSettings().value(kVerifyKey, false).toBool();
}

void RecentFiles::SetVerifyAfterWrite(bool on) {
  QSettings().setValue(kVerifyKey, on);
}

}  // namespace vardex
