#include "changes_count.h"

#include "change_tracker.h"

namespace vardex {

ChangesCount::ChangesCount(const ChangeTracker& changes, QWidget* parent) : QPushButton(parent) {
  setObjectName("ChangesCount");
  setFlat(true);
  setToolTip(QStringLiteral("List the changed fields"));
  hide();
  ShowCount(changes.Count());
  connect(&changes, &ChangeTracker::CountChanged, this, &ChangesCount::ShowCount);
}

void ChangesCount::ShowCount(int count) {
  setText(count == 1 ? QStringLiteral("1 field changed")
                     : QStringLiteral("%1 fields changed").arg(count));
  setAccessibleName(text());
  setVisible(count > 0);
}

}  // namespace vardex
