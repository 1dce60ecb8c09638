#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"
#include "passcode_help.h"

namespace vardex {

void BuildAprsIsPage(QWidget* page, PageControls& controls) {
  // Columns: indent, row label, host, port.
  auto* servers = new QGridLayout;
  servers->addWidget(new QLabel("APRS-IS servers:", page), 0, 0, 1, 3);
  servers->addWidget(new QLabel("Port:", page), 0, 3);
  servers->setColumnMinimumWidth(0, 16);
  for (int row = 1; row <= 3; ++row) {
    QWidget* host = controls.Take(RecordKey("aprsIs.server", row, "host"));
    QWidget* port = controls.Take(RecordKey("aprsIs.server", row, "port"));
    servers->addWidget(MakeLabel(page, QStringLiteral("Server %1:").arg(row), host), row, 1);
    servers->addWidget(host, row, 2);
    servers->addWidget(port, row, 3);
  }

  QWidget* user = controls.Take("aprsIs.user");
  QWidget* password = controls.Take("aprsIs.password");
  auto* login = new QGridLayout;
  login->addWidget(new QLabel("APRS-IS login:", page), 0, 0, 1, 2);
  login->addWidget(MakeLabel(page, "Username:", user), 1, 1);
  login->addWidget(user, 1, 2);
  login->addWidget(MakeLabel(page, "Password:", password), 2, 1);
  login->addWidget(password, 2, 2);
  AddPasscodeHelp(login, 2, qobject_cast<QLineEdit*>(user), qobject_cast<QLineEdit*>(password));
  login->setColumnMinimumWidth(0, 16);
  login->setColumnStretch(3, 1);

  auto* switches = new QVBoxLayout;
  switches->addWidget(controls.Take("aprsIs.gateRfToAprsIs"));
  switches->addWidget(controls.Take("aprsIs.gateAprsIsToRf"));
  switches->addStretch(1);

  auto* right = new QVBoxLayout;
  right->addLayout(login);
  right->addSpacing(8);
  right->addLayout(switches);

  auto* left = new QVBoxLayout;
  left->addLayout(servers);
  left->addStretch(1);

  auto* columns = new QHBoxLayout(page);
  columns->addLayout(left);
  columns->addSpacing(24);
  columns->addLayout(right);
  columns->addStretch(1);
}

}  // namespace vardex
