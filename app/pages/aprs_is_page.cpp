#include "pages/aprs_is_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>

#include "page_builder.h"
#include "settings_binding.h"

namespace {

struct ServerRow {
  const char* label;
  const char* host;
  const char* port;
};

constexpr std::array<ServerRow, 3> kServers = {{
    {"Server 1:", "Edit21", "Edit33"},
    {"Server 2:", "Edit22", "Edit34"},
    {"Server 3:", "Edit23", "Edit35"},
}};

}  // namespace

void BuildAprsIsPage(QWidget* page) {
  // Columns: indent, row label, host, port.
  auto* servers = new QGridLayout;
  servers->addWidget(new QLabel("APRS-IS servers:", page), 0, 0, 1, 3);
  servers->addWidget(new QLabel("Port:", page), 0, 3);
  servers->setColumnMinimumWidth(0, 16);
  for (int row = 0; row < static_cast<int>(kServers.size()); ++row) {
    const ServerRow& server = kServers[static_cast<std::size_t>(row)];
    auto* host = MakeEdit(page, server.host, 31, "APRS-IS server domain name or IP address.");
    auto* port = MakeEdit(page, server.port, 5, "APRS-IS server port.");
    host->setFixedWidth(220);
    port->setFixedWidth(56);
    servers->addWidget(MakeLabel(page, server.label, host), row + 1, 1);
    servers->addWidget(host, row + 1, 2);
    servers->addWidget(port, row + 1, 3);
    // One "Port:" heading serves the three rows.
    port->setAccessibleName(QStringLiteral("Port: server %1").arg(row + 1));
  }

  auto* user =
      MakeEdit(page, "Edit38", 16, "Your login to APRS-IS network. Usually your callsign.");
  auto* password =
      MakeEdit(page, "Edit39", 16,
               "You login to APRS-IS network. If you don't know it, you should ask your local "
               "APRS-IS administrator.");
  user->setFixedWidth(130);
  password->setFixedWidth(130);
  auto* login = new QGridLayout;
  login->addWidget(new QLabel("APRS-IS login:", page), 0, 0, 1, 2);
  login->addWidget(MakeLabel(page, "Username:", user), 1, 1);
  login->addWidget(user, 1, 2);
  login->addWidget(MakeLabel(page, "Password:", password), 2, 1);
  login->addWidget(password, 2, 2);
  login->setColumnMinimumWidth(0, 16);
  login->setColumnStretch(3, 1);

  auto* gateRf = MakeCheck(page, "CheckBox2", "Gate RF traffic to APRS-IS",
                           "If selected, the device will forward packets from RF to APRS-IS.");
  auto* gateIs = MakeCheck(page, "CheckBox5", "Gate msg from APRS-IS to RF",
                           "If selected, the device will forward messages from APRS-IS to RF.");
  auto* switches = new QVBoxLayout;
  switches->addWidget(gateRf);
  switches->addWidget(gateIs);
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

void BindAprsIs(SettingsBinder& b, vardex::AprsIsSettings& s) {
  for (std::size_t i = 0; i < kServers.size(); ++i) {
    b.Text(kServers[i].host, s.servers[i].host);
    b.Text(kServers[i].port, s.servers[i].port);
  }
  b.Text("Edit38", s.user);
  b.Text("Edit39", s.password);
  b.Check("CheckBox2", s.gateRfToAprsIs);
  b.Check("CheckBox5", s.gateAprsIsToRf);
}
