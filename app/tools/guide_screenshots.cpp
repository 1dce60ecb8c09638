// Pictures for the user guide, taken from the real window: every page after
// a read, and the states a user meets (no port, open, reading, no reply, a
// refused value, a port that does not open). scripts/screenshots.sh starts
// it under Xvfb with two simulators: one that answers on GOOD_COM, one that
// drops its first reply on SILENT_COM.
//
//   vardex-guide-screenshots DIR GOOD_COM SILENT_COM FAILING_COM
//   vardex-guide-screenshots --first-page DIR SUFFIX    (one page, for a scaled screen)
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "Unit1.h"
#include "Unit2.h"

namespace {

QString outDir;

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs)
      return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return true;
}

// Lets the window paint what just changed.
void Settle() {
  WaitUntil([] { return false; }, 300);
}

void Save(QWidget* widget, const QString& name) {
  const QString path = outDir + "/" + name + ".png";
  if (!widget->grab().save(path))
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  else
    std::printf("%s\n", qPrintable(path));
}

// Clicks `button`; the box it opens is saved as `boxName` (when given) and
// closed with its default button.
void ClickThroughBox(QAbstractButton* button, const QString& boxName) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, boxName] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
      return;
    poll->stop();
    Settle();
    if (!boxName.isEmpty())
      Save(box, boxName);
    box->accept();
    poll->deleteLater();
  });
  poll->start(50);
  button->click();
}

void ChoosePort(TForm1& form, const QString& com) {
  form.findChild<QComboBox*>("ComboBox2")->setEditText(com);
}

QPushButton* Button(TForm1& form, const char* name) {
  return form.findChild<QPushButton*>(name);
}

QString Slug(const QString& caption) {
  QString slug;
  for (const QChar c : caption.toLower()) slug += c.isLetterOrNumber() ? c : QChar('-');
  return slug;
}

int SaveStates(TForm1& form, const QString& good, const QString& silent, const QString& failing) {
  auto* tabs = form.findChild<QTabWidget*>("PageControl1");
  auto* progress = form.findChild<QProgressBar*>("ProgressBar1");
  auto* status = form.findChild<QLabel*>("StatusLine");
  Settle();
  Save(&form, "state-no-port");

  ChoosePort(form, failing);
  ClickThroughBox(Button(form, "Button1"), "box-port-failure");

  ChoosePort(form, good);
  ClickThroughBox(Button(form, "Button1"), "box-port-opened");
  Settle();
  Save(&form, "state-open");

  // The simulator answers slowly enough to catch the read half-way.
  Button(form, "Button4")->click();
  if (!WaitUntil([&] { return progress->value() >= 6; }, 20000))
    return 1;
  Save(&form, "state-reading");
  if (!WaitUntil([&] { return status->text().contains("finished"); }, 30000))
    return 1;
  Settle();
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    Settle();
    Save(&form,
         QStringLiteral("page-%1-%2").arg(i + 1, 2, 10, QChar('0')).arg(Slug(tabs->tabText(i))));
  }

  // A value out of range: the box, then the field shown to fix.
  tabs->setCurrentIndex(0);
  form.findChild<QLineEdit*>("Edit2")->setText("50");
  ClickThroughBox(Button(form, "Button5"), "box-validation");
  Settle();
  Save(&form, "state-validation");
  form.findChild<QLineEdit*>("Edit2")->setText("300");

  // A device that does not answer: the notice comes after 3 s of silence.
  Button(form, "Button2")->click();
  ChoosePort(form, silent);
  ClickThroughBox(Button(form, "Button1"), QString());
  Button(form, "Button4")->click();
  if (!WaitUntil([&] { return status->text().startsWith("No reply"); }, 20000))
    return 1;
  Settle();
  Save(&form, "state-no-reply");
  Save(status, "status-no-reply");
  Button(form, "Button2")->click();
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("VARDEX Configurator");
  const QStringList args = QApplication::arguments().mid(1);
  const bool firstPage = !args.isEmpty() && args[0] == "--first-page";
  if ((firstPage && args.size() != 3) || (!firstPage && args.size() != 4)) {
    std::fprintf(stderr,
                 "usage: vardex-guide-screenshots DIR GOOD_COM SILENT_COM FAILING_COM\n"
                 "       vardex-guide-screenshots --first-page DIR SUFFIX\n");
    return 2;
  }
  outDir = args[firstPage ? 1 : 0];
  QDir().mkpath(outDir);
  TForm1 form1;
  TForm2 form2(&form1);
  form1.SetForm2(&form2);
  form1.show();
  if (firstPage) {
    Settle();
    Save(&form1, "page-01-radio" + args[2]);
    return 0;
  }
  const int status = SaveStates(form1, args[1], args[2], args[3]);
  if (status != 0)
    std::fprintf(stderr, "vardex-guide-screenshots: the window did not reach the next state\n");
  return status;
}
