#include "pages/digipeater_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "page_builder.h"
#include "settings_binding.h"

namespace {

const char* const kColumns[] = {"Path (n-N):", "N >=", "N <=", "traceable:", "active:"};

QString RowControl(int row, const char* suffix) {
  return QStringLiteral("Pathn%1_%2").arg(row).arg(QLatin1String(suffix));
}

int BoxWidthFor(QWidget* box, const QString& sample) {
  return box->fontMetrics().horizontalAdvance(sample) + 14;
}

}  // namespace

void BuildDigipeaterPage(QWidget* page) {
  auto* on = MakeCheck(page, "CheckBox1", "Digipeater on",
                       "Enables or disables a function of RF packets digipeating.");
  auto* duplicate = MakeEdit(page, "Edit8", 3,
                             "Time for which a received packet is stored for duplicate checking. "
                             "Duplicate packets are discarded and are not digipeated.");
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
  for (int row = 1; row <= static_cast<int>(vardex::kDigipeaterPathCount); ++row) {
    auto* name = MakeEdit(page, RowControl(row, "name"), 5,
                          "New-N path for digipeated packets. Example: setting path to WIDE and "
                          "N>=1, N<=2 will make the device digipeat packets with WIDE2-2 or "
                          "WIDE2-1 or WIDE1-1 in path.");
    auto* lower = MakeEdit(page, RowControl(row, "lower"), 1);
    auto* higher = MakeEdit(page, RowControl(row, "higher"), 1);
    auto* traceable = MakeList(page, RowControl(row, "traceable"), {"No", "Yes"},
                               "If selected, the device will add its callsign to path of "
                               "digipeated packets.");
    auto* active = MakeCheck(page, RowControl(row, "active"), QString());
    name->setFixedWidth(BoxWidthFor(name, "WIDE77"));
    lower->setFixedWidth(BoxWidthFor(lower, "000"));
    higher->setFixedWidth(BoxWidthFor(higher, "000"));
    traceable->setFixedWidth(BoxWidthFor(traceable, "Yes") + 32);

    QWidget* const controls[] = {name, lower, higher, traceable, active};
    for (int column = 0; column < static_cast<int>(std::size(controls)); ++column) {
      paths->addWidget(controls[column], row, column,
                       column == 4 ? Qt::AlignCenter : Qt::Alignment());
      if (row == 1)
        headings[column]->setBuddy(controls[column]);
      // One heading serves eight rows.
      controls[column]->setAccessibleName(
          QStringLiteral("%1 row %2").arg(QLatin1String(kColumns[column])).arg(row));
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

void BindDigipeater(SettingsBinder& b, vardex::DigipeaterSettings& s) {
  b.Check("CheckBox1", s.digipeaterOn);
  b.Text("Edit8", s.duplicateChecking);
  for (int row = 1; row <= static_cast<int>(s.paths.size()); ++row) {
    vardex::DigipeaterPath& path = s.paths[static_cast<std::size_t>(row - 1)];
    b.Text(RowControl(row, "name"), path.name);
    b.Text(RowControl(row, "lower"), path.lower);
    b.Text(RowControl(row, "higher"), path.higher);
    b.List(RowControl(row, "traceable"), path.traceable);
    b.Check(RowControl(row, "active"), path.active);
  }
}
