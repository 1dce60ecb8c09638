// Pictures for the user guide, taken from the real window: every page after
// a read, and the states a user meets (no port, open, reading, no reply, a
// refused value, a port that does not open). scripts/screenshots.sh starts
// it under Xvfb with two simulators: one that answers on GOOD_COM, one that
// never answers on SILENT_COM.
//
//   vardex-guide-screenshots DIR GOOD_COM SILENT_COM FAILING_COM
//   vardex-guide-screenshots --first-page DIR SUFFIX    (one page, for a scaled screen)
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "Unit1.h"
#include "Unit2.h"
#include "change_tracker.h"
#include "check_notes.h"
#include "firmware_file_chooser.h"
#include "station_check_dialog.h"

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

// The Radio page's position boxes and what follows them: the locator, the
// decimal position, the world map and "Show on map".
void SavePositionArea(QWidget* page) {
  QRect area;
  for (const char* name : {"Edit4", "PositionLocator", "WorldMap", "ShowOnMap"})
    area |= page->findChild<QWidget*>(name)->geometry();
  const QString path = outDir + "/position-area.png";
  if (page->grab(area.adjusted(-8, -8, 8, 8)).save(path))
    std::printf("%s\n", qPrintable(path));
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
  Settle();
  SavePositionArea(form.Page(0));
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
  // Before the notice, the device is asked again for the page.
  if (!WaitUntil([&] { return status->text().contains("asking the device again"); }, 20000))
    return 1;
  Save(status, "status-asking-again");
  if (!WaitUntil([&] { return status->text().startsWith("No reply"); }, 20000))
    return 1;
  Settle();
  Save(&form, "state-no-reply");
  Save(status, "status-no-reply");
  Button(form, "Button2")->click();
  return 0;
}

// The firmware file of the upload question, chosen without a dialog.
struct ChosenFirmware final : vardex::FirmwareFileChooser {
  QString path;
  std::optional<QString> ChooseFirmwareFile(QWidget*) override { return path; }
};

// The File menu open under its menu bar: the screen there, as a menu is a
// window of its own.
void SaveFileMenu(TForm1& form) {
  auto* menu = form.findChild<QMenu*>("FileMenu");
  form.findChild<QMenuBar*>("MenuBar")->setActiveAction(menu->menuAction());
  Settle();
  const QRect window = form.geometry();
  const QRect area(window.left(), window.top(), window.width(),
                   menu->geometry().bottom() - window.top() + 12);
  const QString path = outDir + "/file-menu.png";
  if (form.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path))
    std::printf("%s\n", qPrintable(path));
  menu->hide();
  Settle();
}

// The File menu, edited fields after a read with their list, and the
// questions before a write of start-up values and before a firmware upload.
int SaveFileStates(TForm1& form, const QString& good) {
  SaveFileMenu(form);
  auto* tabs = form.findChild<QTabWidget*>("PageControl1");
  tabs->setCurrentIndex(0);
  form.findChild<QLineEdit*>("Edit1")->setText("VX1NEW");
  form.findChild<QLineEdit*>("Edit3")->setText("450");
  form.findChild<QComboBox*>("ComboBox20")->setCurrentIndex(0);
  Settle();
  Save(&form, "state-changed-fields");
  form.findChild<QPushButton*>("ChangesCount")->click();
  Settle();
  if (auto* list = form.findChild<QDialog*>("ChangesDialog")) {
    Save(list, "changes-list");
    list->close();
  }
  form.Changes().RevertAll();

  // Beacons on the air: what the device's beacon and two typed ones send,
  // one of them with no data type.
  form.findChild<QLineEdit*>("Beacon2_msg")->setText("VARDEX digi <lat> <long>");
  form.findChild<QLineEdit*>("Beacon3_msg")->setText("=<lat>/<long>#PHG5130 Fill-in digi");
  form.findChild<QCheckBox*>("Beacon3_toaprsis")->setChecked(true);
  form.findChild<QMenuBar*>("MenuBar")->findChild<QAction*>("BeaconsOnAirAction")->trigger();
  Settle();
  if (auto* beacons = form.findChild<QDialog*>("BeaconsDialog")) {
    Save(beacons, "beacons-on-air");
    beacons->close();
  }
  form.Changes().RevertAll();

  // A second window with the start-up values, on the same device.
  TForm1 fresh;
  ChosenFirmware firmware;
  firmware.path = outDir + "/../vardex-fw-1.27.bin";
  QFile file(firmware.path);
  if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(61000, '\x9c')) != 61000)
    return 1;
  file.close();
  fresh.SetFirmwareFileChooser(&firmware);
  fresh.show();
  // The station check's list for the start-up values.
  if (auto* notes = fresh.findChild<vardex::CheckNotes*>()) {
    QDialog* list = notes->OpenList();
    Settle();
    Save(list, "station-check");
    list->close();
  }
  ChoosePort(fresh, good);
  ClickThroughBox(Button(fresh, "Button1"), QString());
  ClickThroughBox(Button(fresh, "Button5"), "box-write-confirm");
  ClickThroughBox(Button(fresh, "Button3"), "box-firmware-question");
  Settle();
  Button(fresh, "Button2")->click();
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
  int status = SaveStates(form1, args[1], args[2], args[3]);
  if (status == 0)
    status = SaveFileStates(form1, args[1]);
  if (status != 0)
    std::fprintf(stderr, "vardex-guide-screenshots: the window did not reach the next state\n");
  return status;
}
