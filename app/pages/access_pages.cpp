#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"

namespace vardex {

// User, password and port under their labels; the password box shows its
// text in clear, like the device stores it.
void BuildAccessPage(QWidget* page, PageControls& controls) {
  auto* grid = new QGridLayout;
  const std::vector<ControlRow>& rows = controls.Table().controls;
  int row = 0;
  while (QWidget* edit = controls.Next()) {
    const QString label = QString::fromStdString(rows[static_cast<std::size_t>(row)].label);
    grid->addWidget(MakeLabel(page, label + ":", edit), row, 0);
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
