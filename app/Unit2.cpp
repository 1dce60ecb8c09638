#include "Unit2.h"

#include <QLabel>
#include <QVBoxLayout>

#include "window_placement.h"

namespace {

constexpr QPoint kDesignPosition{538, 301};

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName("Form2");
  setWindowTitle("Beacon special strings");
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  struct Line {
    const char* name;
    const char* text;
  };
  static constexpr Line kLines[] = {
      {"Label1", "<date> - inserts current time in format: DDHHMM. "},
      {"Label2", "<lat> - inserts latitude defined on  \"Radio\" Tab."},
      {"Label3", "<long> - inserts longitude defined on  \"Radio\" Tab."},
      {"Label4", "Example:"},
      {"Label5", "@<date>z<lat>/<long>-VARDEX Test."},
  };

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // not resizable
  layout->setContentsMargins(8, 8, 16, 8);
  layout->setSpacing(3);
  for (const Line& line : kLines) {
    // The empty line before "Example:" belongs to the layout.
    if (QLatin1String(line.name) == QLatin1String("Label4"))
      layout->addSpacing(24);
    auto* label = new QLabel(QString::fromLatin1(line.text), this);
    label->setObjectName(line.name);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
  }
  move(kDesignPosition);
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // It stays where it was (the design position at first) unless that
  // leaves part of it off the screen.
  vardex::PlaceOnScreen(this, pos());
}
