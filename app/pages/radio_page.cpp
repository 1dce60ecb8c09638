#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "page_builder.h"
#include "page_controls.h"
#include "pages/page_layouts.h"
#include "position_area.h"

namespace vardex {

void BuildRadioPage(QWidget* page, PageControls& controls) {
  QWidget* callsign = controls.Take("radio.callsign");
  QWidget* ssid = controls.Take("radio.ssid");
  QWidget* txDelay = controls.Take("radio.txDelay");
  QWidget* quietTime = controls.Take("radio.quietTime");
  QWidget* ptt = controls.Take("radio.pttType");
  QWidget* busy = controls.Take("radio.busyDetect");
  QWidget* latitude = controls.Take("radio.latitude");
  QWidget* longitude = controls.Take("radio.longitude");

  // Two columns like the original form: identity and channel access on the
  // left, the position on the right.
  auto* left = new QGridLayout;
  auto* callRow = new QHBoxLayout;
  callRow->addWidget(callsign);
  callRow->addWidget(MakeLabel(page, "-", ssid));
  callRow->addWidget(ssid);
  left->addWidget(MakeLabel(page, "Callsign:", callsign), 0, 0);
  left->addLayout(callRow, 0, 1);
  left->addWidget(MakeLabel(page, "TX delay [ms]:", txDelay), 1, 0);
  left->addWidget(txDelay, 1, 1, Qt::AlignRight);
  left->addWidget(MakeLabel(page, "Quiet time [ms]:", quietTime), 2, 0);
  left->addWidget(quietTime, 2, 1, Qt::AlignRight);
  left->addWidget(MakeLabel(page, "PTT:", ptt), 3, 0);
  left->addWidget(ptt, 3, 1);
  left->addWidget(MakeLabel(page, "Channel busy detect:", busy), 4, 0, 1, 2);
  left->addWidget(busy, 5, 0, 1, 2);

  auto* right = new QGridLayout;
  right->addWidget(MakeLabel(page, "Latitude:", latitude), 0, 0);
  right->addWidget(latitude, 0, 1);
  right->addWidget(MakeLabel(page, "Longitude:", longitude), 1, 0);
  right->addWidget(longitude, 1, 1);
  auto* latitudeBox = qobject_cast<QLineEdit*>(latitude);
  auto* longitudeBox = qobject_cast<QLineEdit*>(longitude);
  TurnTypedPositions(latitudeBox, longitudeBox);
  const auto* area = new PositionArea(latitudeBox, longitudeBox, page);
  int row = 2;
  for (QWidget* widget : area->Widgets()) {
    const bool button = qobject_cast<QPushButton*>(widget) != nullptr;
    right->addWidget(widget, row++, 0, 1, 2, button ? Qt::AlignLeft : Qt::Alignment());
  }

  auto* columns = new QHBoxLayout(page);
  columns->addStretch(2);
  columns->addLayout(left);
  columns->addSpacing(16);
  columns->addLayout(right);
  columns->addStretch(3);
  left->setRowStretch(6, 1);
  right->setRowStretch(row, 1);
  columns->setAlignment(left, Qt::AlignTop);
  columns->setAlignment(right, Qt::AlignTop);
}

}  // namespace vardex
