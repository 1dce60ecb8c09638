#include "pages/network_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "page_builder.h"
#include "settings_binding.h"

namespace {

struct AddressRow {
  const char* label;
  std::array<const char*, 4> boxes;  // leftmost octet first
  vardex::OctetTexts vardex::NetworkSettings::*octets;
  const char* hint;
};

// The rows in the order they stand on the page.
const std::array<AddressRow, 4> kRows = {{
    {"IP Address:",
     {"Edit9", "Edit10", "Edit11", "Edit12"},
     &vardex::NetworkSettings::address,
     "Device IP address."},
    {"IP Mask:",
     {"Edit13", "Edit15", "Edit17", "Edit19"},
     &vardex::NetworkSettings::mask,
     "Device network mask"},
    {"Gateway:",
     {"Edit14", "Edit16", "Edit18", "Edit20"},
     &vardex::NetworkSettings::gateway,
     "Your network gateway/router IP."},
    {"DNS:",
     {"Edit24", "Edit25", "Edit26", "Edit27"},
     &vardex::NetworkSettings::dns,
     "Domain name server IP. This should be your ISP's DNS server IP. Also most home routers are "
     "able to relay DNS queries."},
}};

constexpr int kOctetWidth = 40;

}  // namespace

void BuildNetworkPage(QWidget* page) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  for (int row = 0; row < static_cast<int>(kRows.size()); ++row) {
    const AddressRow& address = kRows[static_cast<std::size_t>(row)];
    auto* octets = new QHBoxLayout;
    QLineEdit* first = nullptr;
    for (int i = 0; i < 4; ++i) {
      auto* edit = MakeEdit(page, address.boxes[static_cast<std::size_t>(i)], 3, address.hint);
      edit->setFixedWidth(kOctetWidth);
      edit->setAlignment(Qt::AlignRight);
      if (i > 0)
        octets->addWidget(new QLabel(".", page));
      octets->addWidget(edit);
      if (first == nullptr)
        first = edit;
    }
    grid->addWidget(MakeLabel(page, address.label, first), row, 0);
    grid->addLayout(octets, row, 1, Qt::AlignLeft);
    // One label serves the row's four boxes; say which octet each one is.
    for (int i = 0; i < 4; ++i) {
      page->findChild<QLineEdit*>(address.boxes[static_cast<std::size_t>(i)])
          ->setAccessibleName(QStringLiteral("%1 octet %2").arg(address.label).arg(i + 1));
    }
  }
  grid->setRowStretch(static_cast<int>(kRows.size()), 1);
  grid->setColumnStretch(2, 1);

  auto* outer = new QHBoxLayout(page);
  outer->addSpacing(150);
  outer->addLayout(grid);
  outer->setContentsMargins(9, 16, 9, 9);
}

void BindNetwork(SettingsBinder& b, vardex::NetworkSettings& s) {
  for (const AddressRow& row : kRows) {
    vardex::OctetTexts& octets = s.*row.octets;
    for (std::size_t i = 0; i < octets.size(); ++i) b.Text(row.boxes[i], octets[i]);
  }
}
