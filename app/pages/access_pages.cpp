#include "pages/access_pages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "page_builder.h"
#include "settings_binding.h"

namespace {

struct AccessField {
  const char* label;
  const char* name;
  int maxLength;
  const char* hint;
};

struct AccessPage {
  AccessField user;
  AccessField password;
  AccessField port;
};

const AccessPage kWww = {
    {"WWW user:", "www_user", 12, "Web administration user name."},
    {"WWW password:", "www_password", 12, "Web administration password."},
    {"WWW port:", "www_port", 4, "Web administration port number."},
};

const AccessPage kTelnet = {
    {"Telnet user:", "telnet_user", 12, "Telnet administration user name."},
    {"Telnet password:", "telnet_password", 12, "Telnet administration password."},
    {"Telnet port:", "telnet_port", 4, "Telnet administration port number."},
};

// The password box shows its text in clear, like the device stores it.
void BuildAccessPage(QWidget* page, const AccessPage& service) {
  auto* grid = new QGridLayout;
  int row = 0;
  for (const AccessField* field : {&service.user, &service.password, &service.port}) {
    auto* edit = MakeEdit(page, field->name, field->maxLength, field->hint);
    edit->setFixedWidth(field->maxLength == 4 ? 48 : 110);
    grid->addWidget(MakeLabel(page, field->label, edit), row, 0);
    grid->addWidget(edit, row, 1, Qt::AlignLeft);
    ++row;
  }
  grid->setRowStretch(row, 1);

  auto* outer = new QHBoxLayout(page);
  outer->addSpacing(200);
  outer->addLayout(grid);
  outer->addStretch(1);
  outer->setContentsMargins(9, 16, 9, 9);
}

void BindService(SettingsBinder& b, const AccessPage& service, vardex::ServiceAccess& s) {
  b.Text(service.user.name, s.user);
  b.Text(service.password.name, s.password);
  b.Text(service.port.name, s.port);
}

}  // namespace

void BuildWwwAccessPage(QWidget* page) {
  BuildAccessPage(page, kWww);
}

void BuildTelnetAccessPage(QWidget* page) {
  BuildAccessPage(page, kTelnet);
}

void BindAccess(SettingsBinder& b, vardex::AccessSettings& s) {
  BindService(b, kWww, s.www);
  BindService(b, kTelnet, s.telnet);
}
