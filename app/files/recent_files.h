#pragma once

#include <QStringList>

namespace vardex {

// The last configuration files opened or saved, newest first: the only
// thing the window keeps between starts, per user (QSettings).
class RecentFiles {
 public:
  static constexpr int kKept = 8;

  QStringList Paths() const;
  // Puts `path` first (once) and forgets the oldest beyond kKept.
  void Add(const QString& path);
  void Remove(const QString& path);

  // "Verify after write", kept beside the list.
  bool VerifyAfterWrite() const;
  void SetVerifyAfterWrite(bool on);
};

}  // namespace vardex
