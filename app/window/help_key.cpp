#include "help_key.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

namespace vardex {

QString GuideHtmlPath(const QString& programDir) {
  const QDir dir(programDir);
  for (const char* relative :
       {"../share/doc/vardex-configurator/guide.html", "doc/guide.html", "../docs/guide.html"}) {
    const QFileInfo guide(dir.filePath(QString::fromLatin1(relative)));
    if (guide.isFile())
      return guide.canonicalFilePath();
  }
  return {};
}

void InstallHelpKey(QWidget* window, const QString& programDir) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window, [programDir] {
    const QString path =
        GuideHtmlPath(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir);
    if (!path.isEmpty())
      QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  });
}

}  // namespace vardex
