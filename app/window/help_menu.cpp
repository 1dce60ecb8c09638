#include "help_menu.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "vardex_version.h"

namespace vardex {

QString AboutText() {
  return QStringLiteral(
             "<p><b>VARDEX Configurator %1</b></p>"
             "<p>Configures a VARDEX APRS device over a serial port: reads, checks and writes "
             "its configuration and uploads firmware.</p>"
             "<p>Free software under the GNU General Public License version 3 or later (on "
             "Windows LICENSE.txt beside the program, on Linux "
             "/usr/share/doc/vardex-configurator/copyright); it comes with no warranty.</p>"
             "<p>What changed in each version: NEWS.md at <a href=\"%2\">%2</a>, and on Debian "
             "/usr/share/doc/vardex-configurator/changelog.gz. Problems are reported through the "
             "issue tracker linked from there.</p>")
      .arg(QString::fromLatin1(kVersion), QString::fromLatin1(kHomepage));
}

void AddHelpMenu(QMenuBar* menuBar, const HelpNotice& tell) {
  QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
  help->setObjectName("HelpMenu");
  // F1 itself is the window's help key; the menu only names it, as a second
  // shortcut on the same key would make both ambiguous.
  QObject::connect(help->addAction(QStringLiteral("&User guide\tF1")), &QAction::triggered, menuBar,
                   [tell] { ShowGuidePage(QStringLiteral("guide.html"), {}, tell); });
  QObject::connect(help->addAction(QStringLiteral("&Field reference")), &QAction::triggered,
                   menuBar,
                   [tell] { ShowGuidePage(QStringLiteral("field-reference.html"), {}, tell); });
  help->addSeparator();
  QObject::connect(help->addAction(QStringLiteral("&About VARDEX Configurator")),
                   &QAction::triggered, menuBar, [menuBar] {
                     QMessageBox::about(menuBar->window(),
                                        QStringLiteral("About VARDEX Configurator"), AboutText());
                   });
}

}  // namespace vardex
