#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"

namespace vardex {
namespace {

// The rows' labels and the addresses whose four octets they show.
constexpr std::array<const char*, 4> kRowLabels = {"IP Address:", "IP Mask:", "Gateway:", "DNS:"};
constexpr std::array<const char*, 4> kRowFields = {"network.address", "network.mask",
                                                   "network.gateway", "network.dns"};

}  // namespace

void BuildNetworkPage(QWidget* page, PageControls& controls) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  for (int row = 0; row < static_cast<int>(kRowLabels.size()); ++row) {
    auto* octets = new QHBoxLayout;
    QWidget* first = nullptr;
    for (int i = 0; i < 4; ++i) {
      auto* edit =
          controls.Take<QLineEdit>(RecordKey(kRowFields[static_cast<std::size_t>(row)], i + 1));
      edit->setAlignment(Qt::AlignRight);
      if (i > 0)
        octets->addWidget(new QLabel(".", page));
      octets->addWidget(edit);
      if (first == nullptr)
        first = edit;
    }
    grid->addWidget(MakeLabel(page, kRowLabels[static_cast<std::size_t>(row)], first), row, 0);
    grid->addLayout(octets, row, 1, Qt::AlignLeft);
  }
  grid->setRowStretch(static_cast<int>(kRowLabels.size()), 1);
  grid->setColumnStretch(2, 1);

  auto* outer = new QHBoxLayout(page);
  outer->addSpacing(150);
  outer->addLayout(grid);
  outer->setContentsMargins(9, 16, 9, 9);
}

}  // namespace vardex
