#include "pages/radio_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "page_builder.h"
#include "settings_binding.h"

void BuildRadioPage(QWidget* page) {
  auto* callsign = MakeEdit(page, "Edit1", 6, "Stations callsign.");
  auto* ssid = MakeEdit(page, "Edit44", 2, "Stations SSID");
  auto* txDelay =
      MakeEdit(page, "Edit2", 4, "Time between PTT on and packet start (preamble length).");
  auto* quietTime =
      MakeEdit(page, "Edit3", 4, "Delay between last received  packet and packet send.");
  auto* ptt = MakeList(page, "ComboBox19", {"separate output", "2k2 resistor"}, "PTT output type.");
  auto* busy = MakeList(page, "ComboBox20", {"analog signal level", "digital detect"},
                        "Channel busy detection method. For open quelch operation use only digital "
                        "detect.");
  auto* latitude = MakeEdit(page, "Edit4", 8, "Stations latitude.");
  auto* longitude = MakeEdit(page, "Edit5", 9, "Stations longitude.");

  // Two columns like the original form: identity and channel access on the
  // left, the position on the right.
  auto* left = new QGridLayout;
  auto* callRow = new QHBoxLayout;
  callRow->addWidget(callsign);
  callRow->addWidget(MakeLabel(page, "-", ssid));
  callRow->addWidget(ssid);
  callsign->setFixedWidth(64);
  ssid->setFixedWidth(32);
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
  txDelay->setFixedWidth(56);
  quietTime->setFixedWidth(56);

  auto* right = new QGridLayout;
  right->addWidget(MakeLabel(page, "Latitude:", latitude), 0, 0);
  right->addWidget(latitude, 0, 1);
  right->addWidget(MakeLabel(page, "Longitude:", longitude), 1, 0);
  right->addWidget(longitude, 1, 1);
  latitude->setFixedWidth(96);
  longitude->setFixedWidth(96);

  auto* columns = new QHBoxLayout(page);
  columns->addStretch(2);
  columns->addLayout(left);
  columns->addSpacing(16);
  columns->addLayout(right);
  columns->addStretch(3);
  left->setRowStretch(6, 1);
  right->setRowStretch(2, 1);
  columns->setAlignment(left, Qt::AlignTop);
  columns->setAlignment(right, Qt::AlignTop);
}

void BindRadio(SettingsBinder& b, vardex::RadioSettings& s) {
  b.Text("Edit1", s.callsign);
  b.Text("Edit44", s.ssid);
  b.Text("Edit2", s.txDelay);
  b.Text("Edit3", s.quietTime);
  b.List("ComboBox19", s.pttType);
  b.List("ComboBox20", s.busyDetect);
  b.Text("Edit4", s.latitude);
  b.Text("Edit5", s.longitude);
}
