#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "digipeater_settings.h"
#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"

namespace vardex {
namespace {

// Each path row's fields and their column headings.
const char* const kColumns[] = {"Path (n-N):", "N >=", "N <=", "traceable:", "active:"};
const char* const kColumnFields[] = {"name", "lower", "higher", "traceable", "active"};

int BoxWidthFor(QWidget* box, const QString& sample) {
  return box->fontMetrics().horizontalAdvance(sample) + 14;
}

}  // namespace

void BuildDigipeaterPage(QWidget* page, PageControls& controls) {
  QWidget* on = controls.Take("digipeater.on");
  QWidget* duplicate = controls.Take("digipeater.duplicateChecking");
  duplicate->setFixedWidth(BoxWidthFor(duplicate, "0000"));

  auto* left = new QVBoxLayout;
  left->addWidget(on);
  left->addWidget(MakeLabel(page, "Duplicate checking [s]:", duplicate));
  left->addWidget(duplicate);
  left->addStretch(1);

  auto* paths = new QGridLayout;
  paths->setVerticalSpacing(3);
  QLabel* headings[std::size(kColumns)];
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
    headings[column] = MakeLabel(page, kColumns[column]);
    paths->addWidget(headings[column], 0, column);
  }
  // Each row: name, N >=, N <=, traceable, active.
  const QString widthSamples[] = {"WIDE77", "000", "000", "Yes"};
  for (int row = 1; row <= static_cast<int>(kDigipeaterPathCount); ++row) {
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
      QWidget* control = controls.Take(RecordKey("path", row, kColumnFields[column]));
      if (column < 3)
        control->setFixedWidth(BoxWidthFor(control, widthSamples[column]));
      else if (column == 3)
        control->setFixedWidth(BoxWidthFor(control, widthSamples[column]) + 32);
      paths->addWidget(control, row, column, column == 4 ? Qt::AlignCenter : Qt::Alignment());
      // One heading serves eight rows.
      if (row == 1)
        headings[column]->setBuddy(control);
    }
  }

  auto* columns = new QHBoxLayout(page);
  columns->addStretch(2);
  columns->addLayout(left);
  columns->addSpacing(24);
  columns->addLayout(paths);
  columns->addStretch(3);
  columns->setAlignment(left, Qt::AlignTop);
  columns->setAlignment(paths, Qt::AlignTop);
}

}  // namespace vardex
