#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"

namespace vardex {

namespace {

// Under (or beside) the page's own controls, before the stretch that keeps
// them together, and at the top when beside them.
void PutBeforeTrailingStretch(QBoxLayout* box, QLayout* form) {
  int at = box->count();
  if (at > 0 && box->itemAt(at - 1)->spacerItem() != nullptr)
    --at;
  box->insertLayout(at, form);
  if (box->direction() == QBoxLayout::LeftToRight || box->direction() == QBoxLayout::RightToLeft)
    box->setAlignment(form, Qt::AlignTop);
}

}  // namespace

// A row that the page's layout code does not name (a field added to the
// tables alone) still gets its control, labelled, under the page's own
// controls: no setting is held without a control that shows it.
void PlaceOtherFields(PageControls& controls) {
  QWidget* page = controls.Page();
  const std::vector<ControlRow>& rows = controls.Table().controls;
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (controls.At(i) != nullptr)
      continue;
    QWidget* control = controls.Take(rows[i].key);
    if (control == nullptr)
      continue;
    form->addRow(MakeLabel(page, QString::fromStdString(rows[i].label) + ":", control), control);
  }
  if (form->rowCount() == 0) {
    delete form;
    return;
  }
  QLayout* layout = page->layout();
  if (layout == nullptr)
    page->setLayout(form);
  else if (auto* grid = qobject_cast<QGridLayout*>(layout))
    grid->addLayout(form, grid->rowCount(), 0, 1, grid->columnCount());
  else if (auto* box = qobject_cast<QBoxLayout*>(layout))
    PutBeforeTrailingStretch(box, form);
  else
    layout->addItem(form);
}

}  // namespace vardex
