#include "log_actions.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSaveFile>

namespace vardex {
namespace {

void CopyLog(const QPlainTextEdit* log) {
  QString selected = log->textCursor().selectedText();
  // A selection spans lines with U+2029; the clipboard wants line ends.
  QGuiApplication::clipboard()->setText(selected.isEmpty() ? log->toPlainText()
                                                           : selected.replace(QChar(0x2029), '\n'));
}

void SaveLogAs(QPlainTextEdit* log) {
  const QString suggested = QDir::home().filePath(
      QStringLiteral("vardex-log-%1.txt")
          .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"))));
  const QString path =
      QFileDialog::getSaveFileName(log->window(), QStringLiteral("Save log"), suggested,
                                   QStringLiteral("Text files (*.txt);;All files (*)"));
  if (path.isEmpty())
    return;
  const QString trouble = SaveLogText(log->toPlainText(), path);
  if (!trouble.isEmpty())
    QMessageBox::warning(log->window(), QStringLiteral("Save log"),
                         QStringLiteral("The log was not saved to %1: %2")
                             .arg(QDir::toNativeSeparators(path), trouble));
}

}  // namespace

QString SaveLogText(const QString& text, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
    return file.errorString();
  QByteArray bytes = text.toUtf8();
  if (!bytes.isEmpty() && !bytes.endsWith('\n'))
    bytes.append('\n');
  if (file.write(bytes) != bytes.size() || !file.commit())
    return file.errorString();
  return {};
}

void AddLogActions(QPlainTextEdit* log, QMenuBar* menuBar) {
  auto* copy = new QAction(QStringLiteral("&Copy"), log);
  QObject::connect(copy, &QAction::triggered, log, [log] { CopyLog(log); });
  auto* selectAll = new QAction(QStringLiteral("Select &all"), log);
  QObject::connect(selectAll, &QAction::triggered, log, &QPlainTextEdit::selectAll);
  auto* save = new QAction(QStringLiteral("Save &log..."), log);
  save->setObjectName("SaveLog");
  QObject::connect(save, &QAction::triggered, log, [log] { SaveLogAs(log); });
  log->addActions({copy, selectAll, save});
  log->setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* file = menuBar->findChild<QMenu*>("FileMenu");
  if (file == nullptr || file->actions().isEmpty())
    return;
  QAction* quit = file->actions().last();
  file->insertAction(quit, save);
  file->insertSeparator(quit);
}

}  // namespace vardex
