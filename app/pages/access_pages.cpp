#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"

namespace vardex {

// User, password and port under their labels; the password box shows its
// text in clear, like the device stores it. Both pages have these three
// fields under their service's key ("www.user", "telnet.user").
void BuildAccessPage(QWidget* page, PageControls& controls) {
  const std::string& firstKey = controls.Table().controls.front().key;
  const std::string service = firstKey.substr(0, firstKey.find('.') + 1);
  auto* grid = new QGridLayout;
  int row = 0;
  for (const char* field : {"user", "password", "port"}) {
    QWidget* edit = controls.Take(service + field);
    // The row's label is the control's accessible name.
    grid->addWidget(MakeLabel(page, edit->accessibleName() + ":", edit), row, 0);
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

}  // namespace vardex
