#include "station_check_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "station_notes.h"

namespace vardex {

StationCheckDialog::StationCheckDialog(std::vector<StationFinding> findings, QWidget* parent)
    : QDialog(parent), findings_(std::move(findings)), list_(new QListWidget(this)) {
  setObjectName("StationCheckDialog");
  setWindowTitle(QStringLiteral("Station check"));
  auto* intro = new QLabel(
      QStringLiteral("Advice from common APRS practice. It never stops %1 or %2; the guide lists "
                     "each threshold and its source.")
          .arg(QStringLiteral("\u201cWrite config\u201d"), QStringLiteral("\u201cSave\u201d")),
      this);
  intro->setWordWrap(true);

  list_->setObjectName("StationCheckList");
  list_->setAccessibleName(QStringLiteral("Notes"));
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setAlternatingRowColors(true);  // where one note ends and the next begins
  list_->setMinimumSize(640, 320);
  for (const StationFinding& finding : findings_) {
    const std::string text = FindingText(finding);
    list_->addItem(QString::fromStdString(text.substr(0, text.size() - 1)));
  }
  if (findings_.empty()) {
    auto* none = new QListWidgetItem(
        QStringLiteral("No notes: this configuration follows common APRS practice."), list_);
    none->setFlags(Qt::ItemIsEnabled);
  } else {
    list_->setCurrentRow(0);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  go_ = buttons->addButton(QStringLiteral("&Go to field"), QDialogButtonBox::AcceptRole);
  go_->setObjectName("GoToField");
  go_->setEnabled(!findings_.empty());
  go_->setDefault(true);
  connect(go_, &QPushButton::clicked, this, &StationCheckDialog::GoToChosen);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemActivated, this, &StationCheckDialog::GoToChosen);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
}

void StationCheckDialog::GoToChosen() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(findings_.size()))
    return;
  chosen_ = &findings_[static_cast<std::size_t>(row)];
  accept();
}

}  // namespace vardex
