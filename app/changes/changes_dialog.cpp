#include "changes_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "change_tracker.h"

namespace vardex {

ChangesDialog::ChangesDialog(ChangeTracker& tracker, QWidget* parent)
    : QDialog(parent), tracker_(tracker) {
  setObjectName("ChangesDialog");
  setWindowTitle(QStringLiteral("Changes"));
  list_ = new QTreeWidget(this);
  list_->setObjectName("ChangesList");
  list_->setAccessibleName(QStringLiteral("Changes"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("Page"), QStringLiteral("Field"), QStringLiteral("Was"),
                          QStringLiteral("Now")});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->setMinimumSize(560, 240);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  revert_ = buttons->addButton(QStringLiteral("Revert field"), QDialogButtonBox::ActionRole);
  revertAll_ = buttons->addButton(QStringLiteral("Revert all"), QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(revert_, &QPushButton::clicked, this, [this] {
    if (QTreeWidgetItem* item = list_->currentItem())
      tracker_.Revert(item->data(0, Qt::UserRole).value<QWidget*>());
  });
  connect(revertAll_, &QPushButton::clicked, this, [this] { tracker_.RevertAll(); });
  connect(&tracker_, &ChangeTracker::CountChanged, this, &ChangesDialog::Fill);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  Fill();
}

void ChangesDialog::Fill() {
  list_->clear();
  for (const ChangeTracker::Change& change : tracker_.Changes()) {
    auto* item = new QTreeWidgetItem(list_, {change.page, change.label, change.before, change.now});
    item->setData(0, Qt::UserRole, QVariant::fromValue(change.control));
  }
  if (list_->topLevelItemCount() > 0)
    list_->setCurrentItem(list_->topLevelItem(0));
  revert_->setEnabled(list_->topLevelItemCount() > 0);
  revertAll_->setEnabled(list_->topLevelItemCount() > 0);
}

}  // namespace vardex
