#include "com_port_hint.h"

#include <QComboBox>
#include <QEvent>

#include "com_port_list.h"

namespace vardex {

namespace {

// Links and adapters come and go, so the hint is worked out when it shows.
class ComPortHintFilter final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      static_cast<QWidget*>(watched)->setToolTip(vardex::ComPortHint());
    }
    return false;
  }
};

}  // namespace

void InstallComPortHint(QComboBox* ports) {
  ports->installEventFilter(new ComPortHintFilter(ports));
  ports->setToolTip(vardex::ComPortHint());
}

}  // namespace vardex
