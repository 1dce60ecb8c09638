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

QString GuideNotFoundText() {
  return QStringLiteral(
      "F1: the user guide (guide.html) is not installed beside this program, so it cannot be "
      "shown.");
}

QString GuideNotOpenedText(const QString& path) {
  return QStringLiteral("F1: no web browser opened the user guide; open %1 in one.").arg(path);
}

void ShowGuidePage(const QString& page, const QString& programDir, const HelpNotice& tell) {
  const QString guide =
      GuideHtmlPath(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir);
  const QString path = guide.isEmpty() ? guide : QFileInfo(guide).dir().filePath(page);
  QString trouble;
  if (path.isEmpty() || !QFileInfo(path).isFile())
    trouble = GuideNotFoundText();
  else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
    trouble = GuideNotOpenedText(QDir::toNativeSeparators(path));
  if (!trouble.isEmpty() && tell)
    tell(trouble);
}

void InstallHelpKey(QWidget* window, const QString& programDir, const HelpNotice& tell) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window, [programDir, tell] {
    ShowGuidePage(QStringLiteral("guide.html"), programDir, tell);
  });
}

}  // namespace vardex
